-- Sales: invoices with their lines and counter payments, sales returns, and the record of summaries sent.

create table facturas (
    fact_id integer constraint nn_fac_fact_id not null,
    ptvt_id integer constraint nn_fac_ptvt_id not null,
    vend_cod integer constraint nn_fac_vend_cod not null,
    terc_nit d_nit constraint nn_fac_terc_nit not null,
    auto_numero varchar(20),
    fact_numero varchar(8) constraint nn_fac_fact_numero not null,
    fact_fecha date constraint nn_fac_fact_fecha not null,
    fact_despacho varchar(255),
    fact_vence date,
    fact_ivainc d_sino constraint nn_fac_fact_ivainc not null,
    fact_comiporc d_dinero,
    fact_comimonto d_dinero,
    fact_dtopor d_dinero,
    fact_dtomonto d_dinero,
    fact_adicional d_dinero,
    fact_ivamonto d_dinero,
    fact_rtftepor d_dinero,
    fact_rtftemonto d_dinero,
    fact_rtivapor d_dinero,
    fact_rtivamonto d_dinero,
    fact_rticapor d_dinero,
    fact_rticamonto d_dinero,
    fact_extra d_dinero,
    fact_dtofpor d_dinero,
    fact_dtofmonto d_dinero,
    fact_dtoffecha date,
    pref_pre d_prefijo,
    fact_transp d_nombre,
    fact_nomcliente d_nombre,
    fact_cotizaci varchar(30),
    fact_pedido varchar(30),
    fact_remision varchar(30),
    fact_anulado d_sino,
    fact_transmit d_sino,
    fact_total d_dinero,
    bode_cod varchar(2),
    fact_obs blob sub_type text,
    vehi_cod varchar(8),
    fact_consolida integer,
    numok d_sino,
    fact_sucursal varchar(10),
    fact_usuario d_usuario,
    fact_recibido d_dinero,
    constraint pk_facturas primary key (fact_id),
    constraint fk_facturas_punto foreign key (ptvt_id) references punto_venta (ptvt_id),
    constraint fk_facturas_vendedor foreign key (vend_cod) references vendedores (vend_cod),
    constraint fk_facturas_tercero foreign key (terc_nit) references terceros (terc_nit)
);
create index ix_facturas_punto_fecha on facturas (ptvt_id, fact_fecha);
create index ix_facturas_fecha on facturas (fact_fecha);

create table facturas_detalle (
    fact_id integer constraint nn_fac_det_fact_id not null,
    fade_item integer constraint nn_fac_det_fade_item not null,
    bode_cod varchar(2) constraint nn_fac_det_bode_cod not null,
    arti_cod varchar(15) constraint nn_fac_det_arti_cod not null,
    fade_cant d_cantidad,
    fade_unidad varchar(8),
    fade_lote varchar(15),
    fade_prunit d_dinero,
    fade_dtoporc d_cantidad,
    fade_dtomonto d_dinero,
    fade_ivaporc d_cantidad,
    fade_ivamonto d_dinero,
    fade_consumo d_dinero,
    fade_factor d_cantidad,
    fade_desc varchar(255),
    fade_obs blob sub_type binary,
    fade_codbar varchar(15),
    fade_remisionado d_cantidad,
    fade_devuelto d_cantidad,
    fade_total d_dinero,
    lipr_cod integer,
    fade_referencia d_nombre,
    fade_anulado d_sino,
    fade_transmit d_sino,
    fade_factorlista d_cantidad,
    fade_dto1 d_cantidad,
    fade_dto2 d_cantidad,
    fade_dto3 d_cantidad,
    fade_cajas d_cantidad,
    fade_dtom1 d_dinero,
    fade_dtom2 d_dinero,
    fade_dtom3 d_dinero,
    fade_base d_dinero,
    fade_porcbase d_dinero,
    constraint pk_facturas_detalle primary key (fact_id, fade_item),
    constraint fk_facturas_detalle_factura foreign key (fact_id) references facturas (fact_id),
    constraint fk_facturas_detalle_articulo foreign key (arti_cod) references articulo (arti_cod)
);

-- What the customer paid at the counter, by payment form. The unpaid rest of an invoice is a sale on
-- account.
create table facturas_pago (
    fact_id integer constraint nn_fac_pag_fact_id not null,
    fapa_item integer constraint nn_fac_pag_fapa_item not null,
    fopa_id integer constraint nn_fac_pag_fopa_id not null,
    fapa_banco varchar(3),
    fapa_cuenta varchar(20),
    fapa_numero varchar(20),
    fapa_fecha date,
    fapa_monto d_dinero constraint nn_fac_pag_fapa_monto not null,
    constraint pk_facturas_pago primary key (fact_id, fapa_item),
    constraint fk_facturas_pago_factura foreign key (fact_id) references facturas (fact_id),
    constraint fk_facturas_pago_forma foreign key (fopa_id) references formas_pago (fopa_id)
);

-- A return of goods sold at a point of sale; deve_efectivo 'S' when the money was paid back from the
-- point's cash box.
create table devoluciones_venta (
    deve_id integer constraint nn_dev_ven_deve_id not null,
    ptvt_id integer constraint nn_dev_ven_ptvt_id not null,
    fact_id integer,
    deve_fecha date constraint nn_dev_ven_deve_fecha not null,
    deve_exento d_dinero default 0 constraint nn_dev_ven_deve_exento not null,
    deve_grava16 d_dinero default 0 constraint nn_dev_ven_deve_grava16 not null,
    deve_grava10 d_dinero default 0 constraint nn_dev_ven_deve_grava10 not null,
    deve_iva16 d_dinero default 0 constraint nn_dev_ven_deve_iva16 not null,
    deve_iva10 d_dinero default 0 constraint nn_dev_ven_deve_iva10 not null,
    deve_total d_dinero constraint nn_dev_ven_deve_total not null,
    deve_efectivo d_sino default 'S' constraint nn_dev_ven_deve_efectivo not null,
    deve_anulado d_sino default 'N' constraint nn_dev_ven_deve_anulado not null,
    deve_usuario d_usuario,
    constraint pk_devoluciones_venta primary key (deve_id),
    constraint fk_devoluciones_venta_punto foreign key (ptvt_id) references punto_venta (ptvt_id),
    constraint fk_devoluciones_venta_factura foreign key (fact_id) references facturas (fact_id)
);
create index ix_devoluciones_venta_punto on devoluciones_venta (ptvt_id, deve_fecha);

-- Sales summaries sent to the central company, per point of sale and day, up to enre_hora.
create table envio_resumdia (
    ptvt_id integer constraint nn_env_res_ptvt_id not null,
    enre_fecha date constraint nn_env_res_enre_fecha not null,
    enre_hora varchar(8) constraint nn_env_res_enre_hora not null,
    enre_factid integer,
    enre_id integer constraint nn_env_res_enre_id not null,
    constraint pk_envio_resumdia primary key (enre_id),
    constraint ck_envio_resumdia_hora check (enre_hora similar to '[0-2][0-9]:[0-5][0-9]:[0-5][0-9]')
);
create index ix_envio_resumdia_punto on envio_resumdia (ptvt_id, enre_fecha);
