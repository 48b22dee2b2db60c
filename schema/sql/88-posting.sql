-- Posting of invoices, cash receipts and cash transfers to the local ledger and to the NIIF ledger.
-- A posting that finds errors records them in errores, posts nothing and reports how many it found.

create exception e_contabilidad 'Error de contabilidad';

set term ^;

create procedure registre_error (tipo_error integer, documento integer, codigo integer,
                                 cadena varchar(255)) as
begin
    insert into errores (erro_id, erro_tipodoc, erro_iddoc, erro_codigo, erro_cadena)
    values (gen_id(gen_errores, 1), :tipo_error, :documento, :codigo, :cadena);
end^

-- Opens the posting of a document once no error has been found so far; 0 when one has. A NIIF posting
-- must follow a local posting of the same document.
create procedure abra_comprobante (tipo integer, tipo_error integer, documento integer, fecha date,
                                   libro char(1), origen integer)
returns (idcnt integer) as
begin
    idcnt = 0;
    if (libro = 'N' and not exists (select 1 from contable where cnt_id = :origen and cnt_libro = 'L'
                                     and tido_cod = :tipo and cnt_iddoc = :documento)) then
        execute procedure registre_error(tipo_error, documento, 5,
            'El comprobante contable ' || coalesce(origen, '') || ' no es de este documento');
    if (exists (select 1 from errores where erro_tipodoc = :tipo_error and erro_iddoc = :documento)) then
        exit;
    idcnt = gen_id(gen_contable, 1);
    insert into contable (cnt_id, cnt_libro, tido_cod, cnt_iddoc, cnt_fecha, cnt_origen)
    values (:idcnt, :libro, :tipo, :documento, :fecha, iif(:libro = 'N', :origen, null));
end^

-- One entry of an amount, debit when positive and credit when negative, through an account of the
-- interface. Without a posting open it only checks the account.
create procedure mueva_cuenta (idcnt integer, tipo_error integer, documento integer, cuenta varchar(20),
                               concepto varchar(60), monto numeric(18,2), tercero varchar(20)) as
begin
    if (coalesce(monto, 0) = 0) then
        exit;
    if (coalesce(trim(cuenta), '') = '') then
        execute procedure registre_error(tipo_error, documento, 3,
            'Falta la cuenta de ' || concepto || ' en la interfaz');
    else if (not exists (select 1 from cuentas where cuen_cod = :cuenta)) then
        execute procedure registre_error(tipo_error, documento, 4,
            'La cuenta ' || cuenta || ' de ' || concepto || ' no existe en el plan de cuentas');
    else if (idcnt <> 0) then
        insert into contable_detalle (cnt_id, code_item, cuen_cod, terc_nit, code_debito, code_credito,
                                      code_detalle)
        values (:idcnt, (select coalesce(max(code_item), 0) + 1 from contable_detalle where cnt_id = :idcnt),
                :cuenta, :tercero, iif(:monto > 0, :monto, 0), iif(:monto < 0, -:monto, 0), :concepto);
end^

-- Ends a posting: drops it when errors were found, otherwise it replaces the earlier postings of the
-- document in the same ledger (with the NIIF postings that followed them).
create procedure cierre_comprobante (idcnt integer, tipo integer, tipo_error integer, documento integer,
                                     libro char(1))
returns (errores integer, movimientos integer, id_final integer) as
begin
    select count(*) from errores where erro_tipodoc = :tipo_error and erro_iddoc = :documento into :errores;
    id_final = idcnt;
    movimientos = 0;
    if (errores > 0) then
    begin
        delete from contable where cnt_id = :idcnt;
        id_final = 0;
        exit;
    end
    delete from contable n
     where n.cnt_libro = 'N' and n.cnt_origen in (select cnt_id from contable
                                                 where cnt_libro = 'L' and tido_cod = :tipo
                                                   and cnt_iddoc = :documento and cnt_id <> :idcnt)
       and :libro = 'L';
    delete from contable
     where cnt_libro = :libro and tido_cod = :tipo and cnt_iddoc = :documento and cnt_id <> :idcnt;
    select count(*) from contable_detalle where cnt_id = :idcnt into :movimientos;
end^

create procedure empiece_contabilizacion (tipo_error integer, documento integer) as
begin
    delete from errores where erro_tipodoc = :tipo_error and erro_iddoc = :documento;
end^

create procedure contabilice_factura (documento integer, interfaz integer, libro char(1), origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
    declare tipo_error integer;
    declare fecha date;
    declare tercero varchar(20);
    declare total numeric(18,2);
    declare descuento numeric(18,2);
    declare exenta numeric(18,2);
    declare grava16 numeric(18,2);
    declare grava10 numeric(18,2);
    declare iva16 numeric(18,2);
    declare iva10 numeric(18,2);
    declare consumo numeric(18,2);
    declare cta_clientes varchar(20);
    declare cta_exentas varchar(20);
    declare cta_gravadas16 varchar(20);
    declare cta_gravadas10 varchar(20);
    declare cta_iva16 varchar(20);
    declare cta_iva10 varchar(20);
    declare cta_consumo varchar(20);
    declare cta_descuentos varchar(20);
    declare cta_ajuste varchar(20);
begin
    tipo_error = iif(libro = 'N', 1031, 31);
    execute procedure empiece_contabilizacion(tipo_error, documento);
    select fact_fecha, terc_nit, coalesce(fact_total, 0), coalesce(fact_dtomonto, 0)
      from facturas where fact_id = :documento
      into :fecha, :tercero, :total, :descuento;
    if (row_count = 0) then
        execute procedure registre_error(tipo_error, documento, 1, 'No existe la factura ' || documento);
    select inve_ctaclientes, inve_ctaexentas, inve_ctagravadas16, inve_ctagravadas10, inve_ctaiva16,
           inve_ctaiva10, inve_ctaconsumo, inve_ctadescuentos, inve_ctaajuste
      from interfaz_ventas where inve_id = :interfaz and tido_cod = 31
      into :cta_clientes, :cta_exentas, :cta_gravadas16, :cta_gravadas10, :cta_iva16, :cta_iva10,
           :cta_consumo, :cta_descuentos, :cta_ajuste;
    if (row_count = 0) then
        execute procedure registre_error(tipo_error, documento, 2,
            'No existe la interfaz de ventas ' || coalesce(interfaz, ''));
    select coalesce(sum(iif(coalesce(fade_ivaporc, 0) = 0, base, 0)), 0),
           coalesce(sum(iif(fade_ivaporc <> 0 and fade_ivaporc <> 10, base, 0)), 0),
           coalesce(sum(iif(fade_ivaporc = 10, base, 0)), 0),
           coalesce(sum(iif(fade_ivaporc <> 0 and fade_ivaporc <> 10, fade_ivamonto, 0)), 0),
           coalesce(sum(iif(fade_ivaporc = 10, fade_ivamonto, 0)), 0),
           coalesce(sum(fade_consumo), 0)
      from (select fade_ivaporc, fade_ivamonto, fade_consumo,
                   cast(fade_cant * fade_prunit as numeric(18,2)) - coalesce(fade_dtomonto, 0) as base
              from facturas_detalle where fact_id = :documento and coalesce(fade_anulado, 'N') = 'N')
      into :exenta, :grava16, :grava10, :iva16, :iva10, :consumo;

    execute procedure abra_comprobante(31, tipo_error, documento, fecha, libro, origen)
        returning_values idcnt;
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_clientes, 'clientes', total, tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_descuentos, 'descuentos', descuento, tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_exentas, 'ventas exentas', -exenta, tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_gravadas16, 'ventas gravadas 1', -grava16,
                                   tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_gravadas10, 'ventas gravadas 2', -grava10,
                                   tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_iva16, 'IVA 1', -iva16, tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_iva10, 'IVA 2', -iva10, tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_consumo, 'impuesto al consumo', -consumo,
                                   tercero);
    -- Totals rounded to tens or units differ from the sum of their lines by the rounding.
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_ajuste, 'ajuste al redondeo',
        -(total + descuento - exenta - grava16 - grava10 - iva16 - iva10 - consumo), tercero);
    execute procedure cierre_comprobante(idcnt, 31, tipo_error, documento, libro)
        returning_values errores, movimientos, idcnt;
end^

create procedure contabilice_recibo (documento integer, interfaz integer, libro char(1), origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
    declare tipo_error integer;
    declare fecha date;
    declare tercero varchar(20);
    declare efectivo numeric(18,2);
    declare documentos numeric(18,2);
    declare abonos numeric(18,2);
    declare retenciones numeric(18,2);
    declare descuentos numeric(18,2);
    declare cta_efectivo varchar(20);
    declare cta_documentos varchar(20);
    declare cta_clientes varchar(20);
    declare cta_ingresos varchar(20);
    declare cta_retenciones varchar(20);
    declare cta_descuentos varchar(20);
begin
    tipo_error = iif(libro = 'N', 1061, 61);
    execute procedure empiece_contabilizacion(tipo_error, documento);
    select reca_fecha, terc_nit from recibos_caja where reca_id = :documento into :fecha, :tercero;
    if (row_count = 0) then
        execute procedure registre_error(tipo_error, documento, 1, 'No existe el recibo de caja ' || documento);
    select incj_ctaefectivo, incj_ctadocumentos, incj_ctaclientes, incj_ctaingresos, incj_ctaretenciones,
           incj_ctadescuentos
      from interfaz_caja where incj_id = :interfaz and tido_cod = 61
      into :cta_efectivo, :cta_documentos, :cta_clientes, :cta_ingresos, :cta_retenciones, :cta_descuentos;
    if (row_count = 0) then
        execute procedure registre_error(tipo_error, documento, 2,
            'No existe la interfaz de caja ' || coalesce(interfaz, ''));
    select coalesce(sum(iif(fopa_id = 1, rcpa_monto, 0)), 0), coalesce(sum(iif(fopa_id = 1, 0, rcpa_monto)), 0)
      from recibos_caja_pago where reca_id = :documento and coalesce(rcpa_anulado, 'N') = 'N'
      into :efectivo, :documentos;
    select coalesce(sum(iif(rcde_tipodoc = 31, rcde_abono, 0)), 0),
           coalesce(sum(coalesce(rcde_rtfte, 0) + coalesce(rcde_rtiva, 0) + coalesce(rcde_rtica, 0)), 0),
           coalesce(sum(rcde_dtof), 0)
      from recibos_caja_detalle where reca_id = :documento and coalesce(rcde_anulado, 'N') = 'N'
      into :abonos, :retenciones, :descuentos;

    execute procedure abra_comprobante(61, tipo_error, documento, fecha, libro, origen)
        returning_values idcnt;
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_efectivo, 'efectivo', efectivo, tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_documentos, 'documentos de pago',
                                   documentos, tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_retenciones, 'retenciones', retenciones,
                                   tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_descuentos, 'descuentos', descuentos,
                                   tercero);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_clientes, 'clientes', -abonos, tercero);
    -- What the receipt brings in beyond the invoices it pays is other income.
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_ingresos, 'otros ingresos',
        -(efectivo + documentos + retenciones + descuentos - abonos), tercero);
    execute procedure cierre_comprobante(idcnt, 61, tipo_error, documento, libro)
        returning_values errores, movimientos, idcnt;
end^

create procedure contabilice_traslado (documento integer, interfaz integer, libro char(1), origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
    declare tipo_error integer;
    declare fecha date;
    declare efectivo numeric(18,2);
    declare documentos numeric(18,2);
    declare cta_efectivo varchar(20);
    declare cta_documentos varchar(20);
    declare cta_traslados varchar(20);
begin
    tipo_error = iif(libro = 'N', 1066, 66);
    execute procedure empiece_contabilizacion(tipo_error, documento);
    select trcj_fecha from traslados_caja where trcj_id = :documento into :fecha;
    if (row_count = 0) then
        execute procedure registre_error(tipo_error, documento, 1, 'No existe el traslado de caja ' || documento);
    select incj_ctaefectivo, incj_ctadocumentos, incj_ctatraslados
      from interfaz_caja where incj_id = :interfaz and tido_cod = 66
      into :cta_efectivo, :cta_documentos, :cta_traslados;
    if (row_count = 0) then
        execute procedure registre_error(tipo_error, documento, 2,
            'No existe la interfaz de caja ' || coalesce(interfaz, ''));
    select coalesce(sum(iif(fopa_id = 1, trcd_monto, 0)), 0), coalesce(sum(iif(fopa_id = 1, 0, trcd_monto)), 0)
      from traslados_caja_det where trcj_id = :documento and coalesce(trcd_anulado, 'N') = 'N'
      into :efectivo, :documentos;

    execute procedure abra_comprobante(66, tipo_error, documento, fecha, libro, origen)
        returning_values idcnt;
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_traslados, 'traslados en camino',
                                   efectivo + documentos, null);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_efectivo, 'efectivo', -efectivo, null);
    execute procedure mueva_cuenta(idcnt, tipo_error, documento, cta_documentos, 'documentos de pago',
                                   -documentos, null);
    execute procedure cierre_comprobante(idcnt, 66, tipo_error, documento, libro)
        returning_values errores, movimientos, idcnt;
end^

-- The procedures the transmission calls: (document key, interface, 0) for the local ledger and
-- (document key, interface, local posting) for the NIIF ledger.
create procedure contabil_factura (documento integer, interfaz integer, origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
begin
    execute procedure contabilice_factura(documento, interfaz, 'L', null)
        returning_values errores, movimientos, idcnt;
    suspend;
end^

create procedure contabil_factura_niif (documento integer, interfaz integer, origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
begin
    execute procedure contabilice_factura(documento, interfaz, 'N', origen)
        returning_values errores, movimientos, idcnt;
    suspend;
end^

create procedure contabil_recicaja (documento integer, interfaz integer, origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
begin
    execute procedure contabilice_recibo(documento, interfaz, 'L', null)
        returning_values errores, movimientos, idcnt;
    suspend;
end^

create procedure contabil_recicaja_niif (documento integer, interfaz integer, origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
begin
    execute procedure contabilice_recibo(documento, interfaz, 'N', origen)
        returning_values errores, movimientos, idcnt;
    suspend;
end^

create procedure contabil_traslacaja (documento integer, interfaz integer, origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
begin
    execute procedure contabilice_traslado(documento, interfaz, 'L', null)
        returning_values errores, movimientos, idcnt;
    suspend;
end^

create procedure contabil_traslacaja_niif (documento integer, interfaz integer, origen integer)
returns (errores integer, movimientos integer, idcnt integer) as
begin
    execute procedure contabilice_traslado(documento, interfaz, 'N', origen)
        returning_values errores, movimientos, idcnt;
    suspend;
end^

-- Hands a posting, with the NIIF postings that follow it, over as done.
create procedure contabiliza_pendiente (idcnt integer) as
begin
    update contable set cnt_pendiente = 'N' where cnt_id = :idcnt or cnt_origen = :idcnt;
    if (row_count = 0) then
        exception e_contabilidad 'No existe el comprobante contable ' || coalesce(idcnt, '');
end^

set term ;^
