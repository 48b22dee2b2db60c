-- Print formats of documents: header, data slots and fixed drawing elements.

create table formatos (
    tido_cod integer constraint nn_for_tido_cod not null,
    pref_pre varchar(6) constraint nn_for_pref_pre not null,
    form_impre varchar(60),
    form_nroitems integer,
    form_paginas char(1),
    form_entrelinea integer,
    form_font varchar(60),
    form_fsize integer,
    form_papelan numeric(15,2),
    form_papelal numeric(15,2),
    constraint pk_formatos primary key (tido_cod, pref_pre)
);

create table formato_datos (
    tido_cod integer constraint nn_for_dat_tido_cod not null,
    pref_pre varchar(4) constraint nn_for_dat_pref_pre not null,
    dafo_dato varchar(30) constraint nn_for_dat_dafo_dato not null,
    dafo_imprime char(1),
    dafo_posx integer,
    dafo_posy integer,
    dafo_formato varchar(20),
    dafo_long integer,
    dafo_repite char(1),
    dafo_font varchar(60),
    dafo_fsize integer,
    dafo_liquida char(1),
    dafo_posyvar char(1),
    dafo_item integer constraint nn_for_dat_dafo_item not null,
    dafo_ini smallint,
    constraint pk_formato_datos primary key (tido_cod, pref_pre, dafo_dato)
);

create table formato_lineas (
    tido_cod integer constraint nn_for_lin_tido_cod not null,
    pref_pre varchar(6) constraint nn_for_lin_pref_pre not null,
    foli_item integer constraint nn_for_lin_foli_item not null,
    foli_tipo char(1),
    foli_x integer,
    foli_y integer,
    foli_posx integer,
    foli_posy integer,
    foli_cadena varchar(60),
    foli_font varchar(60),
    foli_fsize integer,
    foli_liquida char(1),
    foli_imagen blob sub_type binary,
    constraint pk_formato_lineas primary key (tido_cod, pref_pre, foli_item)
);
