-- What a point of sale sold and was paid on a day after a given time, for the transmission to the
-- central company. An invoice counts from the time its insertion was audited.

set term ^;

-- One row per invoice line. The price is the unit price net of the line's discount, so quantity times
-- price plus taxes gives the line's total.
create procedure resumen_ventas_tx (fecha date, punto integer, hora varchar(12))
returns (
    prefijo varchar(4), vendedor integer, articulo varchar(15), descripcion varchar(60), unidad varchar(8),
    cantidad numeric(18,4), precio numeric(18,4), iva numeric(18,4), consumo numeric(18,4)) as
    declare desde time;
begin
    desde = cast(hora as time);
    for select f.pref_pre, f.vend_cod, d.arti_cod, a.arti_nombre, d.fade_unidad, d.fade_cant,
               iif(d.fade_cant = 0, d.fade_prunit,
                   (d.fade_cant * d.fade_prunit - coalesce(d.fade_dtomonto, 0)) / d.fade_cant),
               coalesce(d.fade_ivamonto, 0), coalesce(d.fade_consumo, 0)
          from facturas f
          join facturas_detalle d on d.fact_id = f.fact_id
          left join articulo a on a.arti_cod = d.arti_cod
         where f.ptvt_id = :punto and f.fact_fecha = :fecha and f.fact_anulado = 'N'
           and coalesce(d.fade_anulado, 'N') = 'N'
           and exists (select 1 from auditoria au
                        where au.audi_iddoc = f.fact_id and au.tido_cod = 31 and au.audi_oper = 'I'
                          and au.audi_fecha = :fecha and au.audi_hora > :desde)
         order by f.fact_id, d.fade_item
          into :prefijo, :vendedor, :articulo, :descripcion, :unidad, :cantidad, :precio, :iva, :consumo do
        suspend;
end^

-- One row per payment form and bank document paid at the counter for those invoices, in the order the
-- counter first took each: by invoice, then by the payment's place in it.
create procedure resumen_caja_tx (fecha date, punto integer, hora varchar(12))
returns (
    forma integer, banco varchar(3), cuenta varchar(20), numero varchar(20), fecdoc date,
    monto numeric(18,4)) as
    declare desde time;
begin
    desde = cast(hora as time);
    for select p.fopa_id, p.fapa_banco, p.fapa_cuenta, p.fapa_numero, min(p.fapa_fecha), sum(p.fapa_monto)
          from facturas f
          join facturas_pago p on p.fact_id = f.fact_id
         where f.ptvt_id = :punto and f.fact_fecha = :fecha and f.fact_anulado = 'N'
           and exists (select 1 from auditoria au
                        where au.audi_iddoc = f.fact_id and au.tido_cod = 31 and au.audi_oper = 'I'
                          and au.audi_fecha = :fecha and au.audi_hora > :desde)
         group by p.fopa_id, p.fapa_banco, p.fapa_cuenta, p.fapa_numero
         order by min(cast(f.fact_id as bigint) * 1000 + p.fapa_item)
          into :forma, :banco, :cuenta, :numero, :fecdoc, :monto do
        suspend;
end^

set term ;^
