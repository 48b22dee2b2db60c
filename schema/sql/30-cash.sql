-- Cash boxes: receipts, transfers between boxes, disbursements and bank deposits.

create table recibos_caja (
    reca_id integer constraint nn_rec_caj_reca_id not null,
    caja_id integer constraint nn_rec_caj_caja_id not null,
    tido_cod integer constraint nn_rec_caj_tido_cod not null,
    pref_pre d_prefijo constraint nn_rec_caj_pref_pre not null,
    reca_numero varchar(6) constraint nn_rec_caj_reca_numero not null,
    reca_fecha date constraint nn_rec_caj_reca_fecha not null,
    reca_conc d_nombre,
    reca_monto d_dinero,
    reca_rtftemonto d_dinero,
    reca_rtivamonto d_dinero,
    reca_rticamonto d_dinero,
    reca_dtof d_dinero,
    reca_obs blob sub_type binary,
    terc_nit d_nit,
    reca_nomterc d_nombre,
    reca_anulado d_sino,
    reca_transmit d_sino,
    cobr_cod integer,
    reca_provisional varchar(10),
    reca_provid integer,
    reca_usuario d_usuario,
    numok d_sino,
    constraint pk_recibos_caja primary key (reca_id),
    constraint fk_recibos_caja_caja foreign key (caja_id) references cajas (caja_id)
);
create index ix_recibos_caja_caja_fecha on recibos_caja (caja_id, reca_fecha);

create table recibos_caja_detalle (
    reca_id integer constraint nn_rec_caj_det_reca_id not null,
    rcde_item integer constraint nn_rec_caj_det_rcde_item not null,
    rcde_tipodoc integer,
    rcde_iddoc integer,
    rcde_prefijo d_prefijo,
    rcde_numero varchar(8),
    rcde_abono d_dinero,
    rcde_rtfte d_dinero,
    rcde_rtiva d_dinero,
    rcde_rtica d_dinero,
    rcde_dtof d_dinero,
    rcde_anulado d_sino,
    rcde_transmit d_sino,
    rcde_comip varchar(2),
    rcde_sucursal varchar(10) constraint nn_rec_caj_det_rcde_sucursal not null,
    constraint pk_recibos_caja_detalle primary key (reca_id, rcde_item),
    constraint fk_recibos_caja_detalle_recibo foreign key (reca_id) references recibos_caja (reca_id)
);
create index ix_recibos_caja_detalle_doc on recibos_caja_detalle (rcde_iddoc);

create table recibos_caja_pago (
    reca_id integer constraint nn_rec_caj_pag_reca_id not null,
    rcpa_item integer constraint nn_rec_caj_pag_rcpa_item not null,
    fopa_id integer constraint nn_rec_caj_pag_fopa_id not null,
    rcpa_banco varchar(2),
    rcpa_cuenta varchar(20),
    rcpa_numero varchar(20),
    rcpa_fecha date,
    rcpa_monto d_dinero,
    rcpa_anulado d_sino,
    rcpa_transmit d_sino,
    rcpa_ivamonto d_dinero,
    constraint pk_recibos_caja_pago primary key (reca_id, rcpa_item),
    constraint fk_recibos_caja_pago_recibo foreign key (reca_id) references recibos_caja (reca_id),
    constraint fk_recibos_caja_pago_forma foreign key (fopa_id) references formas_pago (fopa_id)
);

-- Money sent from cash box caja_id to cash box trcj_destino.
create table traslados_caja (
    trcj_id integer constraint nn_tra_caj_trcj_id not null,
    pref_pre d_prefijo,
    trcj_numero varchar(6),
    trcj_fecha date,
    trcj_conc d_nombre,
    trcj_anulado d_sino,
    trcj_transmit d_sino,
    caja_id integer,
    trcj_destino integer,
    trcj_usuario d_usuario,
    numok d_sino,
    constraint pk_traslados_caja primary key (trcj_id)
);
create index ix_traslados_caja_origen on traslados_caja (caja_id, trcj_fecha);
create index ix_traslados_caja_destino on traslados_caja (trcj_destino, trcj_fecha);

create table traslados_caja_det (
    trcj_id integer constraint nn_tra_caj_det_trcj_id not null,
    trcd_item integer constraint nn_tra_caj_det_trcd_item not null,
    fopa_id integer,
    trcd_banco varchar(2),
    trcd_cuenta varchar(20),
    trcd_numero varchar(20),
    trcd_fecha date,
    trcd_monto d_dinero,
    trcd_anulado d_sino,
    trcd_transmit d_sino,
    constraint pk_traslados_caja_det primary key (trcj_id, trcd_item),
    constraint fk_traslados_caja_det_traslado foreign key (trcj_id) references traslados_caja (trcj_id)
);

-- egre_tipo 'P' pays suppliers' documents listed in egresos_detalle; 'G' is an expense of class cleg_id.
create table egresos (
    egre_id integer constraint nn_egr_egre_id not null,
    tido_cod integer constraint nn_egr_tido_cod not null,
    pref_pre d_prefijo constraint nn_egr_pref_pre not null,
    egre_numero varchar(6) constraint nn_egr_egre_numero not null,
    egre_fecha date constraint nn_egr_egre_fecha not null,
    egre_conc d_nombre,
    egre_monto d_dinero,
    egre_rtftemonto d_dinero,
    egre_rtivamonto d_dinero,
    egre_rticamonto d_dinero,
    egre_dtof d_dinero,
    egre_obs blob sub_type binary,
    egre_tipomovbco varchar(2),
    egre_idmovbco integer,
    egre_nomterc d_nombre,
    egre_anulado d_sino,
    egre_transmit d_sino,
    terc_nit d_nit,
    egre_tipo char(1),
    caja_id integer,
    egre_usuario d_usuario,
    numok d_sino,
    cleg_id integer,
    egre_trm d_dinero,
    constraint pk_egresos primary key (egre_id),
    constraint ck_egresos_tipo check (egre_tipo in ('P', 'G'))
);
create index ix_egresos_fecha on egresos (egre_fecha);

create table egresos_detalle (
    egre_id integer constraint nn_egr_det_egre_id not null,
    egde_item integer constraint nn_egr_det_egde_item not null,
    egde_tipodoc integer,
    egde_iddoc integer,
    egde_prefijo d_prefijo,
    egde_numero varchar(6),
    egde_abono d_dinero,
    egde_rtfte d_dinero,
    egde_rtiva d_dinero,
    egde_rtica d_dinero,
    egde_dtof d_dinero,
    egde_anulado d_sino,
    egde_transmit d_sino,
    egde_difcambio d_dinero,
    egde_numprov varchar(8),
    constraint pk_egresos_detalle primary key (egre_id, egde_item),
    constraint fk_egresos_detalle_egreso foreign key (egre_id) references egresos (egre_id)
);

create table egresos_caja (
    egre_id integer constraint nn_egr_caj_egre_id not null,
    egca_item integer constraint nn_egr_caj_egca_item not null,
    caja_id integer constraint nn_egr_caj_caja_id not null,
    fopa_id integer constraint nn_egr_caj_fopa_id not null,
    egca_banco varchar(2),
    egca_cuenta varchar(20),
    egca_numero varchar(20),
    egca_fecha date,
    egca_monto d_dinero,
    egca_anulado d_sino,
    egca_transmit d_sino,
    constraint pk_egresos_caja primary key (egre_id, egca_item),
    constraint fk_egresos_caja_egreso foreign key (egre_id) references egresos (egre_id)
);
create index ix_egresos_caja_caja on egresos_caja (caja_id);

create table consignaciones (
    cons_id integer constraint nn_con_cons_id not null,
    caja_id integer constraint nn_con_caja_id not null,
    cons_fecha date constraint nn_con_cons_fecha not null,
    cons_banco varchar(2) constraint nn_con_cons_banco not null,
    cons_cuenta varchar(20) constraint nn_con_cons_cuenta not null,
    cons_numero varchar(20),
    cons_monto d_dinero constraint nn_con_cons_monto not null,
    cons_anulado d_sino default 'N' constraint nn_con_cons_anulado not null,
    cons_usuario d_usuario,
    constraint pk_consignaciones primary key (cons_id),
    constraint fk_consignaciones_caja foreign key (caja_id) references cajas (caja_id)
);
create index ix_consignaciones_caja on consignaciones (caja_id, cons_fecha);
