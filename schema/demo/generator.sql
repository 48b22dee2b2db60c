-- Business of past days for a demo company, made inside the engine from a seed. The same seed on a
-- fresh company gives the same documents, numbers, keys, dates and times. The procedures are dropped
-- after use, so the company keeps the plain schema.

set term ^;

-- A linear congruential sequence (the constants of C's classic rand): the next seed, and from it a
-- value 0 <= valor < n.
create procedure demo_azar (semilla bigint, n integer) returns (siguiente bigint, valor integer) as
begin
    siguiente = mod(semilla * 1103515245 + 12345, 2147483648);
    valor = mod(siguiente / 65536, n);
end^

-- Documents written next carry this business date and time in the audit trail.
create procedure demo_marque_hora (fecha date, segundos integer, usuario varchar(10)) as
    declare ignorado integer;
begin
    ignorado = rdb$set_context('USER_TRANSACTION', 'AUDITORIA_FECHA', fecha);
    ignorado = rdb$set_context('USER_TRANSACTION', 'AUDITORIA_HORA', cast('00:00:00' as time) + segundos);
    ignorado = rdb$set_context('USER_TRANSACTION', 'AUDITORIA_USUARIO', usuario);
end^

-- One invoice of up to 5 lines at a point of sale: whole quantities and whole-peso prices, so line
-- bases and taxes are exact to the cent. Sausages, sodas and biscuits also carry the consumption tax, 8 %
-- of the line's base. A named customer may buy on account; everybody else pays at the counter in cash, by
-- cheque, card or gift bond, sometimes in two forms, cash handed over first or last.
create procedure demo_factura (punto integer, fecha date, segundos integer, lineas_max integer, semilla bigint)
returns (siguiente bigint, factura integer, lineas integer) as
    declare r integer;
    declare cliente varchar(20) = '222222222222';
    declare nombre varchar(60);
    declare plazo integer = 0;
    declare credito char(1) = 'N';
    declare articulos integer;
    declare articulo varchar(15);
    declare unidad varchar(8);
    declare precio numeric(15,2);
    declare tarifa numeric(15,4);
    declare cantidad integer;
    declare descuento numeric(15,2);
    declare base numeric(15,2);
    declare iva numeric(15,2);
    declare consumo numeric(15,2);
    declare total numeric(15,2) = 0;
    declare total_iva numeric(15,2) = 0;
    declare efectivo numeric(15,2);
    declare item_efectivo integer;
    declare forma integer;
    declare banco varchar(2);
    declare vendedor integer;
    declare dado integer;
    declare nombrados integer;
begin
    siguiente = semilla;
    execute procedure demo_marque_hora(fecha, segundos, 'CAJERO' || punto);
    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    if (r < 20) then
    begin
        select count(*) from clientes where terc_nit <> '222222222222' into :nombrados;
        execute procedure demo_azar(siguiente, nombrados) returning_values siguiente, r;
        select first 1 skip (:r) c.terc_nit, c.clie_plazo from clientes c
         where c.terc_nit <> '222222222222' order by c.terc_nit into :cliente, :plazo;
        execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
        if (r < 60) then
            credito = 'S';
    end
    select terc_nombre from terceros where terc_nit = :cliente into :nombre;
    execute procedure demo_azar(siguiente, 2) returning_values siguiente, r;
    vendedor = 10 * punto + 1 + r;

    factura = gen_id(gen_facturas, 1);
    insert into facturas (fact_id, ptvt_id, vend_cod, terc_nit, fact_numero, fact_fecha, fact_vence, fact_ivainc,
                          fact_dtopor, fact_dtomonto, fact_adicional, fact_ivamonto, fact_rtftepor, fact_rtivapor,
                          fact_rticapor, fact_extra, fact_dtofpor, fact_dtoffecha, pref_pre, fact_nomcliente,
                          fact_anulado, fact_transmit, fact_total, bode_cod, numok, fact_sucursal, fact_usuario,
                          fact_recibido)
    select :factura, p.ptvt_id, :vendedor, :cliente, '000000', :fecha,
           :fecha + iif(:credito = 'S', maxvalue(:plazo, 30), 0), 'N', 0, 0, 0, 0, 0, 0, 0, 0, 0, :fecha,
           p.pref_pre, :nombre, 'N', 'N', 0, p.bode_cod, 'N', '01', 'CAJERO' || :punto, 0
      from punto_venta p where p.ptvt_id = :punto;

    select count(*) from articulo into :articulos;
    execute procedure demo_azar(siguiente, lineas_max) returning_values siguiente, lineas;
    lineas = lineas + 1;
    r = 0;
    while (r < lineas) do
    begin
        r = r + 1;
        execute procedure demo_azar(siguiente, articulos) returning_values siguiente, dado;
        select first 1 skip (:dado) a.arti_cod, a.arti_unidad, a.arti_precio, t.taiv_porc
          from articulo a join tarifa_iva t on t.taiv_cod = a.taiv_cod order by a.arti_cod
          into :articulo, :unidad, :precio, :tarifa;
        execute procedure demo_azar(siguiente, 4) returning_values siguiente, cantidad;
        cantidad = cantidad + 1;
        execute procedure demo_azar(siguiente, 10) returning_values siguiente, dado;
        descuento = iif(dado = 0, cantidad * round(precio * 0.05, 0), 0);
        base = cantidad * precio - descuento;
        iva = base * tarifa / 100;
        consumo = iif(articulo in ('B005', 'C006', 'C007'), base * 8 / 100, 0);
        insert into facturas_detalle (fact_id, fade_item, bode_cod, arti_cod, fade_cant, fade_unidad, fade_prunit,
                                      fade_dtoporc, fade_dtomonto, fade_ivaporc, fade_ivamonto, fade_consumo,
                                      fade_factor, fade_codbar, fade_remisionado, fade_devuelto, fade_total,
                                      lipr_cod, fade_anulado, fade_transmit, fade_base)
        select :factura, :r, bode_cod, :articulo, :cantidad, :unidad, :precio, iif(:descuento = 0, 0, 5), :descuento,
               :tarifa, :iva, :consumo, 1, :articulo, 0, 0, :base + :iva + :consumo, 1, 'N', 'N', :base
          from facturas where fact_id = :factura;
        total = total + base + iva + consumo;
        total_iva = total_iva + iva;
    end
    update facturas set fact_total = :total, fact_ivamonto = :total_iva where fact_id = :factura;

    if (credito = 'N') then
    begin
        execute procedure demo_azar(siguiente, 4) returning_values siguiente, r;
        banco = decode(r, 0, '07', 1, '51', 2, '13', '02');
        execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
        efectivo = case when r < 60 then total when r < 88 then 0 else round(total / 2, -3) end;
        -- In two forms, cash is handed over after the other form every other time.
        item_efectivo = iif(r >= 88 and mod(r, 2) = 0 and efectivo < total, 2, 1);
        forma = case when r < 68 then 2 when r < 76 then 3 when r < 83 then 4 when r < 88 then 5
                     else 2 + mod(r, 3) end;
        if (efectivo > 0) then
            insert into facturas_pago values (:factura, :item_efectivo, 1, null, null, null, :fecha, :efectivo);
        if (efectivo < total) then
            insert into facturas_pago
            values (:factura, iif(:efectivo > 0, 3 - :item_efectivo, 1), :forma, iif(:forma = 5, null, :banco),
                    iif(:forma = 5, null, '0' || (4000000 + :factura)),
                    iif(:forma = 5, 'BONO' || :factura, lpad(:factura, 8, '0')), :fecha, :total - :efectivo);
    end
end^

-- A cash receipt of a point's cash box: paying an invoice on account, or other income without one.
create procedure demo_recibo (punto integer, fecha date, factura integer, monto numeric(15,2), forma integer,
                              concepto varchar(60)) as
    declare recibo integer;
begin
    recibo = gen_id(gen_recibos_caja, 1);
    insert into recibos_caja (reca_id, caja_id, tido_cod, pref_pre, reca_numero, reca_fecha, reca_conc, reca_monto,
                              reca_rtftemonto, reca_rtivamonto, reca_rticamonto, reca_dtof, terc_nit, reca_nomterc,
                              reca_anulado, reca_transmit, cobr_cod, reca_usuario, numok)
    select :recibo, p.caja_id, 61, a.auto_prefrdc, '000000', :fecha, :concepto, :monto, 0, 0, 0, 0,
           coalesce(f.terc_nit, p.terc_nit), f.fact_nomcliente, 'N', 'N', 10 * p.ptvt_id + 1, 'CAJERO' || :punto, 'N'
      from punto_venta p
      join autorizaciones a on a.pref_pre = p.pref_pre
      left join facturas f on f.fact_id = :factura
     where p.ptvt_id = :punto;
    if (factura is not null) then
        insert into recibos_caja_detalle (reca_id, rcde_item, rcde_tipodoc, rcde_iddoc, rcde_prefijo, rcde_numero,
                                          rcde_abono, rcde_rtfte, rcde_rtiva, rcde_rtica, rcde_dtof, rcde_anulado,
                                          rcde_transmit, rcde_sucursal)
        select :recibo, 1, 31, fact_id, pref_pre, fact_numero, :monto, 0, 0, 0, 0, 'N', 'N', '01'
          from facturas where fact_id = :factura;
    insert into recibos_caja_pago (reca_id, rcpa_item, fopa_id, rcpa_banco, rcpa_cuenta, rcpa_numero, rcpa_fecha,
                                   rcpa_monto, rcpa_anulado, rcpa_transmit, rcpa_ivamonto)
    values (:recibo, 1, :forma, iif(:forma = 1, null, '07'), iif(:forma = 1, null, '0' || (5000000 + :recibo)),
            iif(:forma = 1, null, 'R' || lpad(:recibo, 7, '0')), :fecha, :monto, 'N', 'N', 0);
end^

-- A cash disbursement of a point's box: an expense of a class, or the payment of a purchase.
create procedure demo_egreso (punto integer, fecha date, segundos integer, clase integer, monto numeric(15,2),
                              concepto varchar(60), compra integer) as
    declare egreso integer;
    declare prefijo varchar(4);
    declare numero integer;
begin
    execute procedure demo_marque_hora(fecha, segundos, 'CAJERO' || punto);
    egreso = gen_id(gen_egresos, 1);
    select 'E' || lpad(sucu_id, 3, '0') from punto_venta where ptvt_id = :punto into :prefijo;
    -- Disbursement prefixes are numbered by hand.
    select count(*) + 1 from egresos where pref_pre = :prefijo into :numero;
    insert into egresos (egre_id, tido_cod, pref_pre, egre_numero, egre_fecha, egre_conc, egre_monto, egre_rtftemonto,
                         egre_rtivamonto, egre_rticamonto, egre_dtof, egre_nomterc, egre_anulado, egre_transmit,
                         terc_nit, egre_tipo, caja_id, egre_usuario, numok, cleg_id, egre_trm)
    select :egreso, 62, :prefijo, lpad(:numero, 6, '0'), :fecha, :concepto, :monto, 0, 0, 0, 0,
           coalesce(t.terc_nombre, 'VARIOS'), 'N', 'N', c.terc_nit, iif(:compra is null, 'G', 'P'), p.caja_id,
           'CAJERO' || :punto, 'S', :clase, 0
      from punto_venta p
      left join compras c on c.comp_id = :compra
      left join terceros t on t.terc_nit = c.terc_nit
     where p.ptvt_id = :punto;
    if (compra is not null) then
        insert into egresos_detalle (egre_id, egde_item, egde_tipodoc, egde_iddoc, egde_prefijo, egde_numero,
                                     egde_abono, egde_rtfte, egde_rtiva, egde_rtica, egde_dtof, egde_anulado,
                                     egde_transmit, egde_difcambio, egde_numprov)
        select :egreso, 1, 21, comp_id, pref_pre, right(comp_numero, 6), comp_total, 0, 0, 0, 0, 'N', 'N', 0,
               comp_numprov
          from compras where comp_id = :compra;
    -- A payroll advance is handed over in two parts, both from the point's box.
    insert into egresos_caja (egre_id, egca_item, caja_id, fopa_id, egca_fecha, egca_monto, egca_anulado,
                              egca_transmit)
    select :egreso, 1, caja_id, 1, :fecha, :monto - iif(:clase = 2, 10000, 0), 'N', 'N'
      from punto_venta where ptvt_id = :punto;
    if (clase = 2) then
        insert into egresos_caja (egre_id, egca_item, caja_id, fopa_id, egca_fecha, egca_monto, egca_anulado,
                                  egca_transmit)
        select :egreso, 2, caja_id, 1, :fecha, 10000, 'N', 'N' from punto_venta where ptvt_id = :punto;
end^

-- The cash a point's box took in on a day and still holds: what entered minus what left, less the cheques,
-- vouchers and bonds the counter took.
create procedure demo_efectivo_disponible (punto integer, fecha date) returns (disponible numeric(18,2)) as
    declare caja integer;
    declare otras_formas numeric(18,2);
begin
    select caja_id from punto_venta where ptvt_id = :punto into :caja;
    select ingtotal - egrtotal from movimientos_caja(:caja, :fecha, :fecha) into :disponible;
    select coalesce(sum(p.fapa_monto), 0) from facturas f join facturas_pago p on p.fact_id = f.fact_id
     where f.ptvt_id = :punto and f.fact_fecha = :fecha and p.fopa_id <> 1 into :otras_formas;
    disponible = disponible - otras_formas;
    suspend;
end^

-- A day at a branch, seen from its first point of sale once that point has sold: perhaps a purchase, paid
-- at once from the point's box when it holds enough (the day's takings and all but 100,000.00 of the base
-- the box opens with) and on account otherwise, and perhaps the return of part of an earlier purchase.
create procedure demo_dia_sucursal (sucursal integer, fecha date, semilla bigint, punto integer,
                                    disponible numeric(18,2))
returns (siguiente bigint, queda numeric(18,2)) as
    declare r integer;
    declare compra integer;
    declare exento numeric(15,2);
    declare grava16 numeric(15,2);
    declare grava10 numeric(15,2);
    declare contado char(1);
    declare proveedor varchar(20);
    declare total numeric(15,2);
begin
    siguiente = semilla;
    queda = disponible;
    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    if (r < 60) then
    begin
        proveedor = decode(mod(r, 3), 0, '860001001', 1, '860002002', '860003003');
        execute procedure demo_azar(siguiente, 50) returning_values siguiente, r;
        exento = 5000 * r;
        execute procedure demo_azar(siguiente, 50) returning_values siguiente, r;
        grava16 = 5000 * r;
        execute procedure demo_azar(siguiente, 30) returning_values siguiente, r;
        grava10 = 5000 * r;
        total = exento + grava16 * 1.16 + grava10 * 1.10;
        execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
        contado = iif(r < 50 and total <= queda + 400000, 'S', 'N');
        compra = gen_id(gen_compras, 1);
        insert into compras (comp_id, sucu_id, pref_pre, comp_numero, comp_fecha, terc_nit, comp_numprov,
                             comp_contado, comp_exento, comp_grava16, comp_grava10, comp_iva16, comp_iva10,
                             comp_total, comp_anulado, comp_usuario)
        values (:compra, :sucursal, 'C' || lpad(:sucursal, 3, '0'), lpad(:compra, 8, '0'), :fecha, :proveedor,
                'P' || lpad(:compra, 7, '0'), :contado, :exento, :grava16, :grava10, :grava16 * 0.16,
                :grava10 * 0.10, :total, 'N', 'COMPRAS');
        if (contado = 'S') then
        begin
            execute procedure demo_egreso(punto, fecha, 39600 + r, null, total, 'PAGO DE CONTADO A PROVEEDOR',
                                          compra);
            queda = queda - total;
        end
    end

    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    if (r < 30) then
        insert into devoluciones_compra (devc_id, comp_id, sucu_id, devc_fecha, devc_total, devc_anulado,
                                         devc_usuario)
        select first 1 gen_id(gen_devoluciones_compra, 1), comp_id, :sucursal, :fecha,
               round(comp_total * 0.1, 0), 'N', 'COMPRAS'
          from compras where sucu_id = :sucursal and comp_fecha < :fecha order by comp_id desc;
end^

-- A day at one point of sale: invoices from 8:00 to 20:00 until the day's lines are sold, perhaps a
-- return, receipts for invoices sold on account two days before or earlier, other income; then, paid
-- from the cash taken in so that the box never runs short, perhaps a transfer to another box of the
-- branch, an expense and the branch's purchase; at closing time the rest of the cash goes to the bank.
create procedure demo_dia_punto (punto integer, fecha date, lineas integer, semilla bigint)
returns (siguiente bigint) as
    declare vendidas integer = 0;
    declare segundos integer;
    declare factura integer;
    declare en_factura integer;
    declare r integer;
    declare monto numeric(15,2);
    declare disponible numeric(18,2);
    declare traslado integer;
    declare destino integer;
    declare caja integer;
    declare cheque integer;
    declare sucursal integer;
begin
    siguiente = semilla;
    while (vendidas < lineas) do
    begin
        execute procedure demo_azar(siguiente, maxvalue(1, 21600 / lineas)) returning_values siguiente, r;
        segundos = 28800 + vendidas * 43200 / lineas + r;
        execute procedure demo_factura(punto, fecha, segundos, minvalue(5, lineas - vendidas), siguiente)
            returning_values siguiente, factura, en_factura;
        vendidas = vendidas + en_factura;
    end

    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    if (r < 25) then
        insert into devoluciones_venta (deve_id, ptvt_id, fact_id, deve_fecha, deve_exento, deve_grava16,
                                        deve_grava10, deve_iva16, deve_iva10, deve_total, deve_efectivo,
                                        deve_anulado, deve_usuario)
        select gen_id(gen_devoluciones_venta, 1), :punto, fact_id, :fecha,
               iif(fade_ivaporc = 0, fade_base, 0), iif(fade_ivaporc = 16, fade_base, 0),
               iif(fade_ivaporc = 10, fade_base, 0), iif(fade_ivaporc = 16, fade_ivamonto, 0),
               iif(fade_ivaporc = 10, fade_ivamonto, 0), fade_total, 'S', 'N', 'CAJERO' || :punto
          from facturas_detalle where fact_id = :factura and fade_item = 1;

    for select first 2 f.fact_id, f.fact_total from facturas f
         where f.ptvt_id = :punto and f.fact_fecha <= :fecha - 2 and f.fact_vence > f.fact_fecha
           and f.fact_anulado = 'N'
           and not exists (select 1 from recibos_caja_detalle d where d.rcde_tipodoc = 31 and d.rcde_iddoc = f.fact_id)
         order by f.fact_id
          into :factura, :monto do
    begin
        execute procedure demo_azar(siguiente, 10) returning_values siguiente, r;
        execute procedure demo_recibo(punto, fecha, factura, monto, iif(r < 7, 1, 2), 'ABONO A FACTURA');
    end

    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    if (r < 10) then
        execute procedure demo_recibo(punto, fecha, null, 5000 * (1 + mod(r, 9)), 1, 'REINTEGRO DE GASTOS');

    select disponible from demo_efectivo_disponible(:punto, :fecha) into :disponible;
    select caja_id, sucu_id from punto_venta where ptvt_id = :punto into :caja, :sucursal;
    select first 1 p.caja_id from punto_venta p
     where p.sucu_id = :sucursal and p.ptvt_id <> :punto order by p.ptvt_id into :destino;
    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    -- At most the round ten thousands the box holds.
    monto = minvalue(10000 * (5 + mod(r, 26)), floor(disponible / 10000) * 10000);
    if (destino is not null and r < 50 and monto > 0) then
    begin
        execute procedure demo_marque_hora(fecha, 68400 + 60 * r, 'CAJERO' || punto);
        traslado = gen_id(gen_traslados_caja, 1);
        insert into traslados_caja (trcj_id, pref_pre, trcj_numero, trcj_fecha, trcj_conc, trcj_anulado,
                                    trcj_transmit, caja_id, trcj_destino, trcj_usuario, numok)
        values (:traslado, 'T' || lpad(:sucursal, 3, '0'), '000000', :fecha, 'TRASLADO DE FONDOS', 'N', 'N', :caja,
                :destino, 'CAJERO' || :punto, 'N');
        insert into traslados_caja_det (trcj_id, trcd_item, fopa_id, trcd_fecha, trcd_monto, trcd_anulado,
                                        trcd_transmit)
        values (:traslado, 1, 1, :fecha, :monto, 'N', 'N');
        disponible = disponible - monto;
        select first 1 dpca_id from documentos_pago_caja
         where caja_id = :caja and fopa_id = 2 and dpca_fecha = :fecha and dpca_tiposal = 0 and dpca_idsal = 0
         order by dpca_id into :cheque;
        if (cheque is not null and r < 30) then
            insert into traslados_caja_det (trcj_id, trcd_item, fopa_id, trcd_banco, trcd_cuenta, trcd_numero,
                                            trcd_fecha, trcd_monto, trcd_anulado, trcd_transmit)
            select :traslado, 2, 2, dpca_banco, dpca_cuenta, dpca_numero, :fecha, dpca_monto, 'N', 'N'
              from documentos_pago_caja where dpca_id = :cheque;
    end

    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    monto = 10000 * (2 + mod(r, 14));
    if (r < 50 and monto <= disponible) then
    begin
        execute procedure demo_egreso(punto, fecha, 36000 + 100 * r, 1 + mod(r, 3), monto,
                                      decode(mod(r, 3), 0, 'PAPELERIA Y UTILES', 1, 'ANTICIPO DE NOMINA',
                                             'MANTENIMIENTO LOCAL'), null);
        disponible = disponible - monto;
    end

    if (not exists (select 1 from punto_venta where sucu_id = :sucursal and ptvt_id < :punto)) then
        execute procedure demo_dia_sucursal(sucursal, fecha, siguiente, punto, disponible)
            returning_values siguiente, disponible;

    monto = floor(disponible / 10000) * 10000;
    if (monto > 0) then
        insert into consignaciones (cons_id, caja_id, cons_fecha, cons_banco, cons_cuenta, cons_numero, cons_monto,
                                    cons_anulado, cons_usuario)
        values (gen_id(gen_consignaciones, 1), :caja, :fecha, '07', '0011223344',
                'C' || lpad(:punto, 3, '0') || extract(day from :fecha) || extract(month from :fecha), :monto, 'N',
                'CAJERO' || :punto);
end^

-- Customers registered and changed on a day.
create procedure demo_clientes_dia (fecha date, semilla bigint) returns (siguiente bigint) as
    declare r integer;
    declare nit varchar(20);
    declare cantidad integer;
begin
    siguiente = semilla;
    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    if (r < 50) then
    begin
        execute procedure demo_marque_hora(fecha, 32400 + 300 * r, 'CARTERA');
        nit = 80000000 + (fecha - date '2000-01-01');
        insert into terceros (terc_nit, terc_dv, terc_nombre, terc_tipo, terc_direccion, terc_telefono, terc_ciudad,
                              terc_cliente, terc_proveedor, terc_fechaing, terc_usuario)
        values (:nit, mod(:r, 10),
                decode(mod(:r, 5), 0, 'MARIA FERNANDA ', 1, 'LUIS ALBERTO ', 2, 'CLAUDIA PATRICIA ', 3, 'OSCAR IVAN ',
                       'ANDREA CAROLINA ')
                || decode(mod(:r, 7), 0, 'MORENO', 1, 'VARGAS', 2, 'HERRERA', 3, 'CASTILLO', 4, 'OSPINA',
                          5, 'MEJIA', 'SALAZAR'),
                'N', 'CALLE ' || (20 + :r) || ' # ' || (3 + mod(:r, 40)) || '-15', '300' || (4000000 + :r * 1031),
                'BOGOTA', 'S', 'N', :fecha, 'CARTERA');
        insert into clientes (terc_nit, lipr_cod, clie_cupo, clie_plazo, clie_activo, clie_fechaing)
        values (:nit, 1, 1000000, 30, 'S', :fecha);
    end

    execute procedure demo_azar(siguiente, 100) returning_values siguiente, r;
    if (r < 30) then
    begin
        execute procedure demo_marque_hora(fecha, 54000 + 300 * r, 'CARTERA');
        select count(*) from clientes where terc_nit <> '222222222222' into :cantidad;
        execute procedure demo_azar(siguiente, cantidad) returning_values siguiente, r;
        update clientes set clie_cupo = clie_cupo + 100000
         where terc_nit = (select first 1 skip (:r) terc_nit from clientes where terc_nit <> '222222222222'
                            order by terc_nit);
    end
end^

-- `dias` days of business ending on `fecha_final`, about `lineas` invoice lines a day at each point.
-- Every cash box opens the first day with 500,000.00.
create procedure generar_demo (dias integer, fecha_final date, semilla bigint, lineas integer) as
    declare fecha date;
    declare punto integer;
    declare siguiente bigint;
begin
    if (dias < 1 or lineas < 1 or semilla < 0) then
        exception e_datos_invalidos 'Los días y las líneas deben ser positivos y la semilla no negativa';
    siguiente = mod(semilla, 2147483648);
    fecha = fecha_final - dias + 1;
    update cajas set caja_base = 500000, caja_fechabase = :fecha;
    while (fecha <= fecha_final) do
    begin
        execute procedure demo_clientes_dia(fecha, siguiente) returning_values siguiente;
        for select ptvt_id from punto_venta where ptvt_activo = 'S' order by ptvt_id into :punto do
            execute procedure demo_dia_punto(punto, fecha, lineas, siguiente) returning_values siguiente;
        fecha = fecha + 1;
    end
end^

set term ;^
