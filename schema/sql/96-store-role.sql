-- The role QUELMARO_TIENDA: what a store's nightly transmission needs in a central company, and nothing
-- more. A store's user gets it with, as the owner or SYSDBA,
--     grant quelmaro_tienda to user tienda01;
-- and names it when it connects (QUELMARO_DESTINATION_ROLE=QUELMARO_TIENDA). Safe to run again, after a
-- change of the company's procedures too.

-- What came before is committed, so that the grants below do not wait on it.
commit;
set term ^;

execute block as
begin
    if (not exists(select 1 from rdb$roles where rdb$role_name = 'QUELMARO_TIENDA')) then
        execute statement 'create role quelmaro_tienda';
end^
commit^

-- The company's own code (procedures and triggers) may use whatever that code names. A store's user runs
-- the numbering and posting procedures and sets off the triggers of the tables it writes, without any right
-- of its own on the ledger, the sequences or the audit: only the code decides what happens there.
execute block as
    declare module_name varchar(63);
    declare module_kind varchar(10);
    declare object_name varchar(63);
    declare object_type smallint;
begin
    for select distinct trim(d.rdb$dependent_name),
               iif(d.rdb$dependent_type = 5, 'procedure', 'trigger'),
               trim(d.rdb$depended_on_name), d.rdb$depended_on_type
        from rdb$dependencies d
        where d.rdb$dependent_type in (2, 5) and d.rdb$depended_on_type in (0, 5, 7, 14)
          and d.rdb$depended_on_name not starting with 'RDB$'
          and d.rdb$depended_on_name not starting with 'MON$'
          and d.rdb$dependent_name <> d.rdb$depended_on_name
        into :module_name, :module_kind, :object_name, :object_type
    do
        execute statement
            decode(object_type,
                   0, 'grant all on "' || object_name || '"',
                   5, 'grant execute on procedure "' || object_name || '"',
                   7, 'grant usage on exception "' || object_name || '"',
                   14, 'grant usage on sequence "' || object_name || '"')
            || ' to ' || module_kind || ' "' || module_name || '"';
end^
commit^

set term ;^

-- Read only: configuration, numbering, sellers, articles and taxes, cash documents, the posting interfaces
-- and the errors the posting procedures store.
grant select on configuracion to role quelmaro_tienda;
grant select on prefijos to role quelmaro_tienda;
grant select on autorizaciones to role quelmaro_tienda;
grant select on vendedores to role quelmaro_tienda;
grant select on articulo to role quelmaro_tienda;
grant select on tarifa_iva to role quelmaro_tienda;
grant select on documentos_pago_caja to role quelmaro_tienda;
grant select on interfaz_ventas to role quelmaro_tienda;
grant select on interfaz_caja to role quelmaro_tienda;
grant select on errores to role quelmaro_tienda;

-- Written, never deleted: documents are written or completed again, and the send records only grow.
grant select, insert, update on facturas to role quelmaro_tienda;
grant select, insert on facturas_detalle to role quelmaro_tienda;
grant select, insert on envio_resumdia to role quelmaro_tienda;
grant select, insert, update on recibos_caja to role quelmaro_tienda;
grant select, insert, update on recibos_caja_detalle to role quelmaro_tienda;
grant select, insert, update on recibos_caja_pago to role quelmaro_tienda;
grant select, insert, update on traslados_caja to role quelmaro_tienda;
grant select, insert, update on egresos to role quelmaro_tienda;
grant select, insert, update on terceros to role quelmaro_tienda;
grant select, insert, update on clientes to role quelmaro_tienda;

-- The rows of a transfer or disbursement sent again replace those sent before: a row the origin no longer
-- has goes.
grant select, insert, update, delete on traslados_caja_det to role quelmaro_tienda;
grant select, insert, update, delete on egresos_detalle to role quelmaro_tienda;
grant select, insert, update, delete on egresos_caja to role quelmaro_tienda;

-- The transmission's own tables: turns and the posting journal.
grant select, insert, update, delete on envios_en_curso to role quelmaro_tienda;
grant select, insert, update, delete on contabilizaciones_pendientes to role quelmaro_tienda;

-- New keys, and the posting of what was sent.
grant execute on procedure cambie_id_factura to role quelmaro_tienda;
grant execute on procedure cambie_id_recicaja to role quelmaro_tienda;
grant execute on procedure cambie_id_traslacaja to role quelmaro_tienda;
grant execute on procedure cambie_id_egreso to role quelmaro_tienda;
grant execute on procedure contabil_factura to role quelmaro_tienda;
grant execute on procedure contabil_recicaja to role quelmaro_tienda;
grant execute on procedure contabil_traslacaja to role quelmaro_tienda;
grant execute on procedure contabil_factura_niif to role quelmaro_tienda;
grant execute on procedure contabil_recicaja_niif to role quelmaro_tienda;
grant execute on procedure contabil_traslacaja_niif to role quelmaro_tienda;
grant execute on procedure contabiliza_pendiente to role quelmaro_tienda;
