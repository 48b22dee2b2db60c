-- The work of the transmissions that send to this company: one row per point of sale and day (class 'P')
-- and per day's customers (class 'C', point 0). A run holds the row while it sends that work, so runs that
-- overlap take turns on it and never write the same documents twice.
create table envios_en_curso (
    enec_clase char(1) constraint nn_env_cur_enec_clase not null,
    ptvt_id integer constraint nn_env_cur_ptvt_id not null,
    enec_fecha date constraint nn_env_cur_enec_fecha not null,
    enec_desde timestamp,
    constraint pk_envios_en_curso primary key (enec_clase, ptvt_id, enec_fecha),
    constraint ck_envios_en_curso_clase check (enec_clase in ('P', 'C'))
);
