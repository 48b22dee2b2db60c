-- Purchases from suppliers and their returns, per branch.

create table compras (
    comp_id integer constraint nn_com_comp_id not null,
    sucu_id integer constraint nn_com_sucu_id not null,
    pref_pre d_prefijo constraint nn_com_pref_pre not null,
    comp_numero varchar(8) constraint nn_com_comp_numero not null,
    comp_fecha date constraint nn_com_comp_fecha not null,
    terc_nit d_nit constraint nn_com_terc_nit not null,
    comp_numprov varchar(8),
    comp_contado d_sino default 'N' constraint nn_com_comp_contado not null,
    comp_exento d_dinero default 0 constraint nn_com_comp_exento not null,
    comp_grava16 d_dinero default 0 constraint nn_com_comp_grava16 not null,
    comp_grava10 d_dinero default 0 constraint nn_com_comp_grava10 not null,
    comp_iva16 d_dinero default 0 constraint nn_com_comp_iva16 not null,
    comp_iva10 d_dinero default 0 constraint nn_com_comp_iva10 not null,
    comp_total d_dinero constraint nn_com_comp_total not null,
    comp_anulado d_sino default 'N' constraint nn_com_comp_anulado not null,
    comp_usuario d_usuario,
    constraint pk_compras primary key (comp_id),
    constraint fk_compras_sucursal foreign key (sucu_id) references sucursales (sucu_id),
    constraint fk_compras_tercero foreign key (terc_nit) references terceros (terc_nit)
);
create index ix_compras_fecha on compras (comp_fecha);

create table devoluciones_compra (
    devc_id integer constraint nn_dev_com_devc_id not null,
    comp_id integer constraint nn_dev_com_comp_id not null,
    sucu_id integer constraint nn_dev_com_sucu_id not null,
    devc_fecha date constraint nn_dev_com_devc_fecha not null,
    devc_total d_dinero constraint nn_dev_com_devc_total not null,
    devc_anulado d_sino default 'N' constraint nn_dev_com_devc_anulado not null,
    devc_usuario d_usuario,
    constraint pk_devoluciones_compra primary key (devc_id),
    constraint fk_devoluciones_compra_compra foreign key (comp_id) references compras (comp_id),
    constraint fk_devoluciones_compra_sucursal foreign key (sucu_id) references sucursales (sucu_id)
);
create index ix_devoluciones_compra_fecha on devoluciones_compra (devc_fecha);
