-- Master tables: configuration, branches, stores, cash boxes, points of sale, people, articles, prefixes.

create table configuracion (
    conf_modulo varchar(30) constraint nn_con_conf_modulo not null,
    conf_categoria varchar(30) constraint nn_con_conf_categoria not null,
    conf_propiedad varchar(60) constraint nn_con_conf_propiedad not null,
    conf_valor varchar(255),
    constraint pk_configuracion primary key (conf_modulo, conf_categoria, conf_propiedad)
);

create table sucursales (
    sucu_id integer constraint nn_suc_sucu_id not null,
    sucu_nombre d_nombre,
    sucu_direccion d_nombre,
    sucu_telefonos d_nombre,
    constraint pk_sucursales primary key (sucu_id)
);

create table bodegas (
    bode_cod varchar(2) constraint nn_bod_bode_cod not null,
    bode_nombre d_nombre,
    sucu_id integer constraint nn_bod_sucu_id not null,
    constraint pk_bodegas primary key (bode_cod),
    constraint fk_bodegas_sucursal foreign key (sucu_id) references sucursales (sucu_id)
);

-- A cash box starts at caja_fechabase with caja_base in it; its balance on a later day follows from
-- the movements since then.
create table cajas (
    caja_id integer constraint nn_caj_caja_id not null,
    caja_nombre d_nombre,
    sucu_id integer constraint nn_caj_sucu_id not null,
    caja_base d_dinero default 0 constraint nn_caj_caja_base not null,
    caja_fechabase date constraint nn_caj_caja_fechabase not null,
    constraint pk_cajas primary key (caja_id),
    constraint fk_cajas_sucursal foreign key (sucu_id) references sucursales (sucu_id)
);

create table terceros (
    terc_nit d_nit constraint nn_ter_terc_nit not null,
    terc_dv char(1),
    terc_nombre d_nombre constraint nn_ter_terc_nombre not null,
    terc_tipo char(1) default 'N' constraint nn_ter_terc_tipo not null,
    terc_direccion d_nombre,
    terc_telefono varchar(30),
    terc_email d_nombre,
    terc_ciudad varchar(30),
    terc_cliente d_sino default 'N' constraint nn_ter_terc_cliente not null,
    terc_proveedor d_sino default 'N' constraint nn_ter_terc_proveedor not null,
    terc_fechaing date,
    terc_usuario d_usuario,
    constraint pk_terceros primary key (terc_nit),
    constraint ck_terceros_tipo check (terc_tipo in ('N', 'J'))
);

create table clientes (
    terc_nit d_nit constraint nn_cli_terc_nit not null,
    lipr_cod integer default 1 constraint nn_cli_lipr_cod not null,
    clie_cupo d_dinero default 0 constraint nn_cli_clie_cupo not null,
    clie_plazo integer default 0 constraint nn_cli_clie_plazo not null,
    vend_cod integer,
    clie_descuento d_cantidad default 0 constraint nn_cli_clie_descuento not null,
    clie_activo d_sino default 'S' constraint nn_cli_clie_activo not null,
    clie_fechaing date,
    constraint pk_clientes primary key (terc_nit),
    constraint fk_clientes_tercero foreign key (terc_nit) references terceros (terc_nit)
);

create table punto_venta (
    ptvt_id integer constraint nn_pun_ven_ptvt_id not null,
    ptvt_nom d_nombre constraint nn_pun_ven_ptvt_nom not null,
    ptvt_activo d_sino default 'S' constraint nn_pun_ven_ptvt_activo not null,
    sucu_id integer constraint nn_pun_ven_sucu_id not null,
    bode_cod varchar(2) constraint nn_pun_ven_bode_cod not null,
    caja_id integer constraint nn_pun_ven_caja_id not null,
    terc_nit d_nit constraint nn_pun_ven_terc_nit not null,
    pref_pre d_prefijo constraint nn_pun_ven_pref_pre not null,
    constraint pk_punto_venta primary key (ptvt_id),
    constraint fk_punto_venta_sucursal foreign key (sucu_id) references sucursales (sucu_id),
    constraint fk_punto_venta_bodega foreign key (bode_cod) references bodegas (bode_cod),
    constraint fk_punto_venta_caja foreign key (caja_id) references cajas (caja_id),
    constraint fk_punto_venta_tercero foreign key (terc_nit) references terceros (terc_nit)
);

create table vendedores (
    vend_cod integer constraint nn_ven_vend_cod not null,
    vend_nombre d_nombre constraint nn_ven_vend_nombre not null,
    ptvt_id integer,
    vend_activo d_sino default 'S' constraint nn_ven_vend_activo not null,
    constraint pk_vendedores primary key (vend_cod),
    constraint fk_vendedores_punto foreign key (ptvt_id) references punto_venta (ptvt_id)
);

create table tipos_documento (
    tido_cod integer constraint nn_tip_doc_tido_cod not null,
    tido_nombre d_nombre constraint nn_tip_doc_tido_nombre not null,
    constraint pk_tipos_documento primary key (tido_cod)
);

-- pref_actual is the next number to give; documents written with numok 'N' take it when pref_auto is 'S'.
create table prefijos (
    tido_cod integer constraint nn_pre_tido_cod not null,
    pref_pre d_prefijo constraint nn_pre_pref_pre not null,
    pref_nombre d_nombre,
    pref_actual varchar(8) constraint nn_pre_pref_actual not null,
    pref_auto d_sino default 'S' constraint nn_pre_pref_auto not null,
    pref_ivainc d_sino default 'N' constraint nn_pre_pref_ivainc not null,
    constraint pk_prefijos primary key (tido_cod, pref_pre),
    constraint fk_prefijos_tipo foreign key (tido_cod) references tipos_documento (tido_cod),
    constraint ck_prefijos_actual check (pref_actual similar to '[0-9]+')
);

-- Invoicing authorisations of a sales prefix, with the receipt prefix that pays its invoices.
create table autorizaciones (
    pref_pre d_prefijo constraint nn_aut_pref_pre not null,
    auto_numero varchar(20) constraint nn_aut_auto_numero not null,
    auto_fecha date constraint nn_aut_auto_fecha not null,
    auto_desde integer constraint nn_aut_auto_desde not null,
    auto_hasta integer constraint nn_aut_auto_hasta not null,
    auto_prefrdc d_prefijo constraint nn_aut_auto_prefrdc not null,
    constraint pk_autorizaciones primary key (pref_pre, auto_numero),
    constraint ck_autorizaciones_rango check (auto_desde <= auto_hasta)
);

create table tarifa_iva (
    taiv_cod varchar(4) constraint nn_tar_iva_taiv_cod not null,
    taiv_nombre d_nombre constraint nn_tar_iva_taiv_nombre not null,
    taiv_porc d_cantidad constraint nn_tar_iva_taiv_porc not null,
    constraint pk_tarifa_iva primary key (taiv_cod),
    constraint ck_tarifa_iva_porc check (taiv_porc >= 0 and taiv_porc < 100)
);

create table articulo (
    arti_cod varchar(15) constraint nn_art_arti_cod not null,
    arti_nombre d_nombre constraint nn_art_arti_nombre not null,
    arti_unidad varchar(8) default 'UND' constraint nn_art_arti_unidad not null,
    taiv_cod varchar(4) constraint nn_art_taiv_cod not null,
    arti_precio d_dinero default 0 constraint nn_art_arti_precio not null,
    arti_costo d_dinero default 0 constraint nn_art_arti_costo not null,
    arti_activo d_sino default 'S' constraint nn_art_arti_activo not null,
    constraint pk_articulo primary key (arti_cod),
    constraint fk_articulo_tarifa foreign key (taiv_cod) references tarifa_iva (taiv_cod)
);

-- The closing report has one column per payment form, so there are exactly five of them.
create table formas_pago (
    fopa_id integer constraint nn_for_pag_fopa_id not null,
    fopa_nombre d_nombre constraint nn_for_pag_fopa_nombre not null,
    fopa_documento d_sino default 'N' constraint nn_for_pag_fopa_documento not null,
    constraint pk_formas_pago primary key (fopa_id),
    constraint ck_formas_pago_id check (fopa_id between 1 and 5)
);

-- Cheques and card vouchers held in a cash box. A document is in the box while dpca_tiposal and
-- dpca_idsal are 0; the document type and key that took it out are written there.
create table documentos_pago_caja (
    dpca_id integer constraint nn_doc_pag_caj_dpca_id not null,
    caja_id integer constraint nn_doc_pag_caj_caja_id not null,
    fopa_id integer constraint nn_doc_pag_caj_fopa_id not null,
    dpca_banco varchar(2),
    dpca_cuenta varchar(20),
    dpca_numero varchar(20),
    dpca_fecha date,
    dpca_monto d_dinero,
    dpca_tipoent integer,
    dpca_ident integer,
    dpca_tiposal integer default 0 constraint nn_doc_pag_caj_dpca_tiposal not null,
    dpca_idsal integer default 0 constraint nn_doc_pag_caj_dpca_idsal not null,
    constraint pk_documentos_pago_caja primary key (dpca_id),
    constraint fk_documentos_pago_caja_caja foreign key (caja_id) references cajas (caja_id),
    constraint fk_documentos_pago_caja_forma foreign key (fopa_id) references formas_pago (fopa_id)
);
create index ix_documentos_pago_caja_doc on documentos_pago_caja (caja_id, fopa_id, dpca_numero);

create table clases_egreso (
    cleg_id integer constraint nn_cla_egr_cleg_id not null,
    cleg_nombre d_nombre constraint nn_cla_egr_cleg_nombre not null,
    constraint pk_clases_egreso primary key (cleg_id)
);
