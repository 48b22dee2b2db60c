-- Purchases from suppliers and their returns, per branch.

create table compras (
    comp_id integer not null,
    sucu_id integer not null,
    pref_pre d_prefijo not null,
    comp_numero varchar(8) not null,
    comp_fecha date not null,
    terc_nit d_nit not null,
    comp_numprov varchar(8),
    comp_contado d_sino default 'N' not null,
    comp_exento d_dinero default 0 not null,
    comp_grava16 d_dinero default 0 not null,
    comp_grava10 d_dinero default 0 not null,
    comp_iva16 d_dinero default 0 not null,
    comp_iva10 d_dinero default 0 not null,
    comp_total d_dinero not null,
    comp_anulado d_sino default 'N' not null,
    comp_usuario d_usuario,
    constraint pk_compras primary key (comp_id),
    constraint fk_compras_sucursal foreign key (sucu_id) references sucursales (sucu_id),
    constraint fk_compras_tercero foreign key (terc_nit) references terceros (terc_nit)
);
create index ix_compras_fecha on compras (comp_fecha);

create table devoluciones_compra (
    devc_id integer not null,
    comp_id integer not null,
    sucu_id integer not null,
    devc_fecha date not null,
    devc_total d_dinero not null,
    devc_anulado d_sino default 'N' not null,
    devc_usuario d_usuario,
    constraint pk_devoluciones_compra primary key (devc_id),
    constraint fk_devoluciones_compra_compra foreign key (comp_id) references compras (comp_id),
    constraint fk_devoluciones_compra_sucursal foreign key (sucu_id) references sucursales (sucu_id)
);
create index ix_devoluciones_compra_fecha on devoluciones_compra (devc_fecha);
