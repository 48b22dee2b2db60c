-- The day's and the month-to-date figures of every active point of sale, for the closing report.

set term ^;

-- Sales of a point of sale between two dates. An invoice line is exempt without tax, at the second
-- rate when taxed at 10 percent, and at the first rate otherwise. Cash sales are what was paid at the
-- counter; the unpaid rest is sold on account.
create procedure ventas_punto (punto integer, desde date, hasta date)
returns (
    contado numeric(18,2), credito numeric(18,2), total numeric(18,2), devoluciones numeric(18,2),
    exenta numeric(18,2), grava16 numeric(18,2), grava10 numeric(18,2), iva16 numeric(18,2),
    iva10 numeric(18,2), descuentos numeric(18,2), forma1 numeric(18,2), forma2 numeric(18,2),
    forma3 numeric(18,2), forma4 numeric(18,2), forma5 numeric(18,2)) as
    declare descuento_factura numeric(18,2);
begin
    select coalesce(sum(fact_total), 0), coalesce(sum(fact_dtomonto), 0)
      from facturas
     where ptvt_id = :punto and fact_fecha between :desde and :hasta and fact_anulado = 'N'
      into :total, :descuento_factura;

    select coalesce(sum(iif(coalesce(d.fade_ivaporc, 0) = 0, d.base, 0)), 0),
           coalesce(sum(iif(d.fade_ivaporc <> 0 and d.fade_ivaporc <> 10, d.base, 0)), 0),
           coalesce(sum(iif(d.fade_ivaporc = 10, d.base, 0)), 0),
           coalesce(sum(iif(d.fade_ivaporc <> 0 and d.fade_ivaporc <> 10, d.fade_ivamonto, 0)), 0),
           coalesce(sum(iif(d.fade_ivaporc = 10, d.fade_ivamonto, 0)), 0),
           coalesce(sum(d.fade_dtomonto), 0)
      from (select l.fade_ivaporc, l.fade_ivamonto, l.fade_dtomonto,
                   cast(l.fade_cant * l.fade_prunit as numeric(18,2)) - coalesce(l.fade_dtomonto, 0) as base
              from facturas f join facturas_detalle l on l.fact_id = f.fact_id
             where f.ptvt_id = :punto and f.fact_fecha between :desde and :hasta and f.fact_anulado = 'N'
               and coalesce(l.fade_anulado, 'N') = 'N') d
      into :exenta, :grava16, :grava10, :iva16, :iva10, :descuentos;
    descuentos = descuentos + descuento_factura;

    select coalesce(sum(iif(p.fopa_id = 1, p.fapa_monto, 0)), 0),
           coalesce(sum(iif(p.fopa_id = 2, p.fapa_monto, 0)), 0),
           coalesce(sum(iif(p.fopa_id = 3, p.fapa_monto, 0)), 0),
           coalesce(sum(iif(p.fopa_id = 4, p.fapa_monto, 0)), 0),
           coalesce(sum(iif(p.fopa_id = 5, p.fapa_monto, 0)), 0)
      from facturas f join facturas_pago p on p.fact_id = f.fact_id
     where f.ptvt_id = :punto and f.fact_fecha between :desde and :hasta and f.fact_anulado = 'N'
      into :forma1, :forma2, :forma3, :forma4, :forma5;
    contado = forma1 + forma2 + forma3 + forma4 + forma5;
    credito = total - contado;

    select coalesce(sum(deve_total), 0) from devoluciones_venta
     where ptvt_id = :punto and deve_fecha between :desde and :hasta and deve_anulado = 'N'
      into :devoluciones;
    suspend;
end^

-- Purchases of one branch, or of all of them with branch 0, between two dates.
create procedure compras_sucursal (sucursal integer, desde date, hasta date)
returns (
    exenta numeric(18,2), grava16 numeric(18,2), grava10 numeric(18,2), iva16 numeric(18,2),
    iva10 numeric(18,2), total numeric(18,2), contado numeric(18,2), credito numeric(18,2),
    devoluciones numeric(18,2), neta numeric(18,2)) as
begin
    select coalesce(sum(comp_exento), 0), coalesce(sum(comp_grava16), 0), coalesce(sum(comp_grava10), 0),
           coalesce(sum(comp_iva16), 0), coalesce(sum(comp_iva10), 0), coalesce(sum(comp_total), 0),
           coalesce(sum(iif(comp_contado = 'S', comp_total, 0)), 0)
      from compras
     where comp_fecha between :desde and :hasta and comp_anulado = 'N' and (:sucursal = 0 or sucu_id = :sucursal)
      into :exenta, :grava16, :grava10, :iva16, :iva10, :total, :contado;
    credito = total - contado;

    select coalesce(sum(devc_total), 0) from devoluciones_compra
     where devc_fecha between :desde and :hasta and devc_anulado = 'N' and (:sucursal = 0 or sucu_id = :sucursal)
      into :devoluciones;
    neta = total - devoluciones;
    suspend;
end^

-- Purchases belong to the branch, not to a point of sale: every row carries those of the branch chosen
-- (all branches with 0), so any row gives the report's purchase totals.
create procedure resumen_dia (fecha date, ptoini integer, ptofin integer, sucursal integer)
returns (
    ptovta integer, ptovtanom varchar(60),
    vtacontdia numeric(15,2), vtacontmes numeric(15,2), vtacreddia numeric(15,2), vtacredmes numeric(15,2),
    vtatotaldia numeric(15,2), vtatotalmes numeric(15,2), devoldia numeric(15,2), devolmes numeric(15,2),
    vtanetadia numeric(15,2), vtanetames numeric(15,2),
    vtaexentadia numeric(15,2), vtagrava16dia numeric(15,2), vtagrava10dia numeric(15,2),
    vtaexentames numeric(15,2), vtagrava16mes numeric(15,2), vtagrava10mes numeric(15,2),
    iva16dia numeric(15,2), iva10dia numeric(15,2), iva16mes numeric(15,2), iva10mes numeric(15,2),
    inicial numeric(15,2), ingcartera numeric(15,2), ingotros numeric(15,2), ingtotal numeric(15,2),
    desctosdia numeric(15,2), desctosmes numeric(15,2),
    egrtotal numeric(15,2), egrprov numeric(15,2), egrclase1 numeric(15,2), egrclase2 numeric(15,2),
    egrotros numeric(15,2), traslado numeric(15,2), consigna numeric(15,2),
    cmpexentadia numeric(15,2), cmpgrava16dia numeric(15,2), cmpgrava10dia numeric(15,2),
    cmpexentames numeric(15,2), cmpgrava16mes numeric(15,2), cmpgrava10mes numeric(15,2),
    ivac16dia numeric(15,2), ivac10dia numeric(15,2), ivac16mes numeric(15,2), ivac10mes numeric(15,2),
    traslador numeric(15,2), final numeric(15,2),
    formap1 numeric(15,2), formap2 numeric(15,2), formap3 numeric(15,2), formap4 numeric(15,2),
    formap5 numeric(15,2), cartera numeric(15,2),
    formap1mes numeric(15,2), formap2mes numeric(15,2), formap3mes numeric(15,2), formap4mes numeric(15,2),
    formap5mes numeric(15,2), carterames numeric(15,2),
    cmptotaldia numeric(15,2), cmptotalmes numeric(15,2), cmpcontadodia numeric(15,2),
    cmpcreditodia numeric(15,2), cmpcontadomes numeric(15,2), cmpcreditomes numeric(15,2),
    devcmpdia numeric(15,2), devcmpmes numeric(15,2), cmpnetadia numeric(15,2), cmpnetames numeric(15,2)) as
    declare primero date;
    declare caja integer;
    declare base numeric(18,2);
    declare desde_base date;
    declare ingreso_previo numeric(18,2);
    declare egreso_previo numeric(18,2);
begin
    primero = fecha - extract(day from fecha) + 1;

    select exenta, grava16, grava10, iva16, iva10, total, contado, credito, devoluciones, neta
      from compras_sucursal(:sucursal, :fecha, :fecha)
      into :cmpexentadia, :cmpgrava16dia, :cmpgrava10dia, :ivac16dia, :ivac10dia, :cmptotaldia,
           :cmpcontadodia, :cmpcreditodia, :devcmpdia, :cmpnetadia;
    select exenta, grava16, grava10, iva16, iva10, total, contado, credito, devoluciones, neta
      from compras_sucursal(:sucursal, :primero, :fecha)
      into :cmpexentames, :cmpgrava16mes, :cmpgrava10mes, :ivac16mes, :ivac10mes, :cmptotalmes,
           :cmpcontadomes, :cmpcreditomes, :devcmpmes, :cmpnetames;

    for select p.ptvt_id, p.ptvt_nom, p.caja_id, c.caja_base, c.caja_fechabase
          from punto_venta p join cajas c on c.caja_id = p.caja_id
         where p.ptvt_activo = 'S' and p.ptvt_id between :ptoini and :ptofin
           and (:sucursal = 0 or p.sucu_id = :sucursal)
         order by p.ptvt_id
          into :ptovta, :ptovtanom, :caja, :base, :desde_base do
    begin
        select contado, credito, total, devoluciones, exenta, grava16, grava10, iva16, iva10, descuentos,
               forma1, forma2, forma3, forma4, forma5
          from ventas_punto(:ptovta, :fecha, :fecha)
          into :vtacontdia, :vtacreddia, :vtatotaldia, :devoldia, :vtaexentadia, :vtagrava16dia,
               :vtagrava10dia, :iva16dia, :iva10dia, :desctosdia,
               :formap1, :formap2, :formap3, :formap4, :formap5;
        select contado, credito, total, devoluciones, exenta, grava16, grava10, iva16, iva10, descuentos,
               forma1, forma2, forma3, forma4, forma5
          from ventas_punto(:ptovta, :primero, :fecha)
          into :vtacontmes, :vtacredmes, :vtatotalmes, :devolmes, :vtaexentames, :vtagrava16mes,
               :vtagrava10mes, :iva16mes, :iva10mes, :desctosmes,
               :formap1mes, :formap2mes, :formap3mes, :formap4mes, :formap5mes;
        vtanetadia = vtatotaldia - devoldia;
        vtanetames = vtatotalmes - devolmes;
        cartera = vtacreddia;
        carterames = vtacredmes;

        select ingtotal, egrtotal from movimientos_caja(:caja, :desde_base, :fecha - 1)
          into :ingreso_previo, :egreso_previo;
        inicial = base + ingreso_previo - egreso_previo;
        -- Before its base date the box held nothing.
        if (fecha < desde_base) then
            inicial = 0;
        select ingcartera, ingotros, ingtotal, egrtotal, egrprov, egrclase1, egrclase2, egrotros,
               traslado, consigna, traslador
          from movimientos_caja(:caja, :fecha, :fecha)
          into :ingcartera, :ingotros, :ingtotal, :egrtotal, :egrprov, :egrclase1, :egrclase2, :egrotros,
               :traslado, :consigna, :traslador;
        final = inicial + ingtotal - egrtotal;
        suspend;
    end
end^

set term ;^
