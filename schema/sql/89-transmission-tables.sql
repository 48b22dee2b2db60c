-- The tables quelmaro keeps for itself in a central company it sends to; nothing else of the suite reads
-- them. quelmaro makes them on its first run when its user may create tables; otherwise run this script
-- once in the central company as its owner or SYSDBA.

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
grant select, insert, update, delete on envios_en_curso to public;

-- The documents written by a transmission whose postings have not run yet: the row is written with the
-- document and removed by the statement that posts it, so each document is posted once. The point and day
-- are those of the work that wrote it.
create table contabilizaciones_pendientes (
    copd_tipo integer constraint nn_con_pen_copd_tipo not null,
    copd_id bigint constraint nn_con_pen_copd_id not null,
    pref_pre varchar(20),
    copd_fechadoc date constraint nn_con_pen_copd_fechadoc not null,
    ptvt_id integer constraint nn_con_pen_ptvt_id not null,
    copd_fecha date constraint nn_con_pen_copd_fecha not null,
    constraint pk_contabilizaciones_pendientes primary key (copd_tipo, copd_id),
    constraint ck_con_pen_copd_tipo check (copd_tipo in (31, 61, 66))
);
create index ix_con_pen_punto on contabilizaciones_pendientes (ptvt_id);
grant select, insert, update, delete on contabilizaciones_pendientes to public;
