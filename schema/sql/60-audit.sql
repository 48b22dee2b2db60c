-- Audit trail of inserted and changed documents and people.

create table auditoria (
    audi_id integer constraint nn_aud_audi_id not null,
    audi_usuario varchar(31),
    audi_fecha date constraint nn_aud_audi_fecha not null,
    audi_hora time constraint nn_aud_audi_hora not null,
    tido_cod integer constraint nn_aud_tido_cod not null,
    audi_iddoc integer,
    audi_oper char(1) constraint nn_aud_audi_oper not null,
    audi_cod varchar(20),
    audi_envio d_sino default 'N',
    audi_tico integer,
    audi_razon d_nombre,
    audi_motivo varchar(255),
    constraint pk_auditoria primary key (audi_id),
    constraint ck_auditoria_oper check (audi_oper in ('I', 'U', 'D'))
);
create index ix_auditoria_fecha_tipo on auditoria (audi_fecha, tido_cod);
create index ix_auditoria_documento on auditoria (audi_iddoc);
