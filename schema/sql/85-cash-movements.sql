-- Money that entered and left a cash box between two dates, by kind.

set term ^;

-- Sales income is what the customers paid at the counter of the box's points of sale. Returns paid
-- back in cash leave the box as other outflow, next to the expenses of classes other than 1 and 2.
create procedure movimientos_caja (caja integer, desde date, hasta date)
returns (
    ventas numeric(18,2), ingcartera numeric(18,2), ingotros numeric(18,2), traslador numeric(18,2),
    egrprov numeric(18,2), egrclase1 numeric(18,2), egrclase2 numeric(18,2), egrotros numeric(18,2),
    traslado numeric(18,2), consigna numeric(18,2), ingtotal numeric(18,2), egrtotal numeric(18,2)) as
    declare devuelto numeric(18,2);
begin
    select coalesce(sum(fp.fapa_monto), 0)
      from punto_venta p
      join facturas f on f.ptvt_id = p.ptvt_id
      join facturas_pago fp on fp.fact_id = f.fact_id
     where p.caja_id = :caja and f.fact_fecha between :desde and :hasta and f.fact_anulado = 'N'
      into :ventas;

    select coalesce(sum(iif(exists (select 1 from recibos_caja_detalle d
                                     where d.reca_id = r.reca_id and d.rcde_tipodoc = 31), r.reca_monto, 0)), 0),
           coalesce(sum(iif(exists (select 1 from recibos_caja_detalle d
                                     where d.reca_id = r.reca_id and d.rcde_tipodoc = 31), 0, r.reca_monto)), 0)
      from recibos_caja r
     where r.caja_id = :caja and r.reca_fecha between :desde and :hasta and r.reca_anulado = 'N'
      into :ingcartera, :ingotros;

    select coalesce(sum(d.trcd_monto), 0)
      from traslados_caja t join traslados_caja_det d on d.trcj_id = t.trcj_id
     where t.trcj_destino = :caja and t.trcj_fecha between :desde and :hasta and t.trcj_anulado = 'N'
       and coalesce(d.trcd_anulado, 'N') = 'N'
      into :traslador;

    select coalesce(sum(d.trcd_monto), 0)
      from traslados_caja t join traslados_caja_det d on d.trcj_id = t.trcj_id
     where t.caja_id = :caja and t.trcj_fecha between :desde and :hasta and t.trcj_anulado = 'N'
       and coalesce(d.trcd_anulado, 'N') = 'N'
      into :traslado;

    select coalesce(sum(iif(e.egre_tipo = 'P', c.egca_monto, 0)), 0),
           coalesce(sum(iif(e.egre_tipo <> 'P' and e.cleg_id = 1, c.egca_monto, 0)), 0),
           coalesce(sum(iif(e.egre_tipo <> 'P' and e.cleg_id = 2, c.egca_monto, 0)), 0),
           coalesce(sum(iif(e.egre_tipo <> 'P' and coalesce(e.cleg_id, 0) not in (1, 2), c.egca_monto, 0)), 0)
      from egresos_caja c join egresos e on e.egre_id = c.egre_id
     where c.caja_id = :caja and e.egre_fecha between :desde and :hasta and e.egre_anulado = 'N'
       and coalesce(c.egca_anulado, 'N') = 'N'
      into :egrprov, :egrclase1, :egrclase2, :egrotros;

    select coalesce(sum(v.deve_total), 0)
      from punto_venta p join devoluciones_venta v on v.ptvt_id = p.ptvt_id
     where p.caja_id = :caja and v.deve_fecha between :desde and :hasta and v.deve_anulado = 'N'
       and v.deve_efectivo = 'S'
      into :devuelto;
    egrotros = egrotros + devuelto;

    select coalesce(sum(cons_monto), 0) from consignaciones
     where caja_id = :caja and cons_fecha between :desde and :hasta and cons_anulado = 'N'
      into :consigna;

    ingtotal = ventas + ingcartera + ingotros + traslador;
    egrtotal = egrprov + egrclase1 + egrclase2 + egrotros + traslado + consigna;
    suspend;
end^

set term ;^
