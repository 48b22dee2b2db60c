-- Turns a copy of the demo central company into one as a chain may have it: the suite's tables and
-- procedures, none of quelmaro's own tables, and posting procedures of its own that keep their ledger in a
-- table of another name and append a posting at every call, so a second call shows as a second posting.
drop table envios_en_curso;
drop table contabilizaciones_pendientes;

create table comprobantes (
    cmpr_id integer not null,
    cmpr_tipo integer not null,
    cmpr_documento integer not null,
    cmpr_libro char(1) not null,
    cmpr_origen integer,
    cmpr_entregado char(1) default 'N' not null,
    constraint pk_comprobantes primary key (cmpr_id)
);
create sequence gen_comprobantes;

set term ^;
create procedure asiente (tipo integer, documento integer, libro char(1), origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
begin
    idcnt = next value for gen_comprobantes;
    insert into comprobantes (cmpr_id, cmpr_tipo, cmpr_documento, cmpr_libro, cmpr_origen)
    values (:idcnt, :tipo, :documento, :libro, :origen);
    errores = 0;
    movimientos = 1;
end^
commit^

-- The six posting procedures of the contract, each appending to its ledger ('L', or 'N' for the second).
execute block as
    declare procedimiento varchar(31);
    declare tipo integer;
    declare libro char(1);
begin
    for select p, t, l from (
            select 'contabil_factura' p, 31 t, 'L' l from rdb$database
            union all select 'contabil_factura_niif', 31, 'N' from rdb$database
            union all select 'contabil_recicaja', 61, 'L' from rdb$database
            union all select 'contabil_recicaja_niif', 61, 'N' from rdb$database
            union all select 'contabil_traslacaja', 66, 'L' from rdb$database
            union all select 'contabil_traslacaja_niif', 66, 'N' from rdb$database)
        into :procedimiento, :tipo, :libro do
        execute statement 'create or alter procedure ' || procedimiento ||
            ' (documento integer, interfaz integer, origen integer)' ||
            ' returns (errores integer, movimientos integer, idcnt integer) as begin' ||
            ' execute procedure asiente(' || tipo || ', documento, ''' || libro || ''', ' ||
            iif(libro = 'L', 'null', 'origen') || ') returning_values errores, movimientos, idcnt;' ||
            ' suspend; end';
end^
create or alter procedure contabiliza_pendiente (idcnt integer) as
begin
    update comprobantes set cmpr_entregado = 'S' where cmpr_id = :idcnt or cmpr_origen = :idcnt;
end^
set term ;^
commit;

-- The demo's own ledger goes, with what kept it.
drop procedure contabilice_factura;
drop procedure contabilice_recibo;
drop procedure contabilice_traslado;
drop procedure cierre_comprobante;
drop procedure mueva_cuenta;
drop procedure abra_comprobante;
drop procedure empiece_contabilizacion;
drop table contable_detalle;
drop table contable;
commit;
