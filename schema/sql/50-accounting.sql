-- Ledgers: chart of accounts, posting interfaces, postings and the errors found while posting.

create table cuentas (
    cuen_cod varchar(20) constraint nn_cue_cuen_cod not null,
    cuen_nombre d_nombre constraint nn_cue_cuen_nombre not null,
    cuen_naturaleza char(1) constraint nn_cue_cuen_naturaleza not null,
    constraint pk_cuentas primary key (cuen_cod),
    constraint ck_cuentas_naturaleza check (cuen_naturaleza in ('D', 'C'))
);

-- Accounts through which the invoices of a document type and prefix are posted.
create table interfaz_ventas (
    inve_id integer constraint nn_int_ven_inve_id not null,
    tido_cod integer constraint nn_int_ven_tido_cod not null,
    pref_pre d_prefijo constraint nn_int_ven_pref_pre not null,
    inve_nombre d_nombre,
    inve_ctaclientes varchar(20),
    inve_ctaexentas varchar(20),
    inve_ctagravadas16 varchar(20),
    inve_ctagravadas10 varchar(20),
    inve_ctaiva16 varchar(20),
    inve_ctaiva10 varchar(20),
    inve_ctaconsumo varchar(20),
    inve_ctadescuentos varchar(20),
    inve_ctaajuste varchar(20),
    constraint pk_interfaz_ventas primary key (inve_id)
);
create index ix_interfaz_ventas_prefijo on interfaz_ventas (tido_cod, pref_pre);

-- Accounts through which receipts (61) and transfers (66) of a prefix are posted.
create table interfaz_caja (
    incj_id integer constraint nn_int_caj_incj_id not null,
    tido_cod integer constraint nn_int_caj_tido_cod not null,
    pref_pre d_prefijo constraint nn_int_caj_pref_pre not null,
    incj_nombre d_nombre,
    incj_ctaefectivo varchar(20),
    incj_ctadocumentos varchar(20),
    incj_ctaclientes varchar(20),
    incj_ctaingresos varchar(20),
    incj_ctaretenciones varchar(20),
    incj_ctadescuentos varchar(20),
    incj_ctatraslados varchar(20),
    constraint pk_interfaz_caja primary key (incj_id)
);
create index ix_interfaz_caja_prefijo on interfaz_caja (tido_cod, pref_pre);

-- One posting of a document to a ledger: cnt_libro 'L' is the local ledger, 'N' the NIIF one, whose
-- postings name the local posting they follow in cnt_origen. cnt_pendiente stays 'S' until the
-- posting is handed over.
create table contable (
    cnt_id integer constraint nn_con_cnt_id not null,
    cnt_libro char(1) constraint nn_con_cnt_libro not null,
    tido_cod integer constraint nn_con_tido_cod not null,
    cnt_iddoc integer constraint nn_con_cnt_iddoc not null,
    cnt_fecha date constraint nn_con_cnt_fecha not null,
    cnt_origen integer,
    cnt_pendiente d_sino default 'S' constraint nn_con_cnt_pendiente not null,
    cnt_registro timestamp default current_timestamp constraint nn_con_cnt_registro not null,
    constraint pk_contable primary key (cnt_id),
    constraint ck_contable_libro check (cnt_libro in ('L', 'N')),
    constraint fk_contable_origen foreign key (cnt_origen) references contable (cnt_id)
);
create index ix_contable_documento on contable (tido_cod, cnt_iddoc);

create table contable_detalle (
    cnt_id integer constraint nn_con_det_cnt_id not null,
    code_item integer constraint nn_con_det_code_item not null,
    cuen_cod varchar(20) constraint nn_con_det_cuen_cod not null,
    terc_nit d_nit,
    code_debito d_dinero default 0 constraint nn_con_det_code_debito not null,
    code_credito d_dinero default 0 constraint nn_con_det_code_credito not null,
    code_detalle d_nombre,
    constraint pk_contable_detalle primary key (cnt_id, code_item),
    constraint fk_contable_detalle_contable foreign key (cnt_id) references contable (cnt_id)
        on delete cascade,
    constraint fk_contable_detalle_cuenta foreign key (cuen_cod) references cuentas (cuen_cod)
);

-- Errors of the last posting attempt of a document; erro_tipodoc is the document type, or 1000 plus
-- it for the NIIF ledger.
create table errores (
    erro_id integer constraint nn_err_erro_id not null,
    erro_tipodoc integer constraint nn_err_erro_tipodoc not null,
    erro_iddoc integer constraint nn_err_erro_iddoc not null,
    erro_codigo integer constraint nn_err_erro_codigo not null,
    erro_cadena varchar(255) constraint nn_err_erro_cadena not null,
    erro_fecha timestamp default current_timestamp constraint nn_err_erro_fecha not null,
    constraint pk_errores primary key (erro_id)
);
create index ix_errores_documento on errores (erro_tipodoc, erro_iddoc);
