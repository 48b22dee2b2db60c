-- The daily closing report (document type 131, prefix CIE) on letter paper, on the 1500 x 2000 grid:
-- a framed title with the logo, one column per point of sale (up to five across) and the day's and
-- month's totals with their projections below. The procedures that lay it out are dropped at the end.

insert into formatos (tido_cod, pref_pre, form_impre, form_nroitems, form_paginas, form_entrelinea, form_font,
                      form_fsize, form_papelan, form_papelal)
values (131, 'CIE', 'CIERRE', 0, 'N', 200, 'Arial', 7, 8.50, 11.00);

set term ^;

create procedure formato_elemento (clase char(1), x integer, y integer, ancho integer, alto integer,
                                   cadena varchar(60), puntos integer) as
begin
    insert into formato_lineas (tido_cod, pref_pre, foli_item, foli_tipo, foli_x, foli_y, foli_posx, foli_posy,
                                foli_cadena, foli_font, foli_fsize, foli_liquida)
    values (131, 'CIE', (select coalesce(max(foli_item), 0) + 1 from formato_lineas
                          where tido_cod = 131 and pref_pre = 'CIE'),
            :clase, :ancho, :alto, :x, :y, :cadena, iif(:puntos is null, null, 'Arial'), :puntos, 'N');
end^

create procedure formato_texto (cadena varchar(60), x integer, y integer, puntos integer = null) as
begin
    execute procedure formato_elemento('T', x, y, null, null, cadena, puntos);
end^

-- A text datum prints `largo` characters; a number datum ends at x with two decimals.
create procedure formato_dato (nombre varchar(30), x integer, y integer, repite char(1), largo integer = null) as
begin
    insert into formato_datos (tido_cod, pref_pre, dafo_dato, dafo_imprime, dafo_posx, dafo_posy, dafo_formato,
                               dafo_long, dafo_repite, dafo_font, dafo_fsize, dafo_liquida, dafo_posyvar,
                               dafo_item, dafo_ini)
    values (131, 'CIE', :nombre, 'S', :x, :y, iif(:largo is null, '2', null), :largo, :repite, null, null, 'N',
            'N', (select coalesce(max(dafo_item), 0) + 1 from formato_datos where tido_cod = 131 and pref_pre = 'CIE'),
            1);
end^

-- A row of the point-of-sale table: its caption and the datum of the first column.
create procedure formato_fila_punto (cadena varchar(60), nombre varchar(30), y integer) as
begin
    execute procedure formato_texto(cadena, 60, y);
    execute procedure formato_dato(nombre, 620, y, 'S');
end^

-- A row of a totals table at x: caption, day, month and projection; a missing datum leaves its cell empty.
create procedure formato_fila_total (x integer, cadena varchar(60), dia varchar(30), mes varchar(30),
                                     proyectado varchar(30), y integer) as
begin
    execute procedure formato_texto(cadena, x + 10, y);
    if (dia is not null) then
        execute procedure formato_dato(dia, x + 390, y, 'N');
    if (mes is not null) then
        execute procedure formato_dato(mes, x + 540, y, 'N');
    if (proyectado is not null) then
        execute procedure formato_dato(proyectado, x + 690, y, 'N');
end^

execute block as
    declare y integer;
begin
    -- Boxes first: they are filled and would hide the lines drawn before them.
    execute procedure formato_elemento('C', 40, 40, 1420, 150, null, null);
    execute procedure formato_elemento('C', 40, 235, 1420, 1030, null, null);
    execute procedure formato_elemento('C', 40, 1300, 700, 290, null, null);
    execute procedure formato_elemento('C', 760, 1300, 700, 290, null, null);
    execute procedure formato_elemento('G', 55, 55, null, null, null, null);
    update formato_lineas set foli_imagen = (select imagen from logotipo_bmp('S'))
     where tido_cod = 131 and pref_pre = 'CIE' and foli_tipo = 'G';

    -- Title.
    execute procedure formato_texto('RESUMEN DIARIO DE VENTAS', 370, 105, 14);
    execute procedure formato_texto('Cierre de cajas por punto de venta', 370, 150, 9);
    execute procedure formato_texto('Fecha:', 1000, 80);
    execute procedure formato_dato('FECHA', 1100, 80, 'N', 10);
    execute procedure formato_dato('FECHA LETRAS', 1100, 110, 'N', 40);
    execute procedure formato_texto('Usuario:', 1000, 140);
    execute procedure formato_dato('CODIGO USUARIO', 1100, 140, 'N', 10);
    execute procedure formato_texto('Hora:', 1000, 170);
    execute procedure formato_dato('HORA REGISTRO', 1100, 170, 'N', 8);

    -- Point-of-sale table: the caption column, then one column per point every 200 units.
    execute procedure formato_texto('MOVIMIENTO POR PUNTO DE VENTA', 50, 225, 9);
    execute procedure formato_elemento('L', 40, 265, 1420, 0, null, null);
    execute procedure formato_elemento('L', 430, 235, 0, 1030, null, null);
    execute procedure formato_elemento('L', 630, 235, 0, 1030, null, null);
    execute procedure formato_elemento('L', 830, 235, 0, 1030, null, null);
    execute procedure formato_elemento('L', 1030, 235, 0, 1030, null, null);
    execute procedure formato_elemento('L', 1230, 235, 0, 1030, null, null);
    execute procedure formato_texto('Concepto', 50, 257, 8);
    execute procedure formato_dato('PUNTO DE VENTA', 445, 257, 'S', 14);

    y = 288;
    execute procedure formato_texto('Ventas del día', 50, y, 8);
    execute procedure formato_fila_punto('Venta de contado', 'VENTA CONTADO DIA', y + 20);
    execute procedure formato_fila_punto('Venta a crédito', 'VENTA CREDITO DIA', y + 40);
    execute procedure formato_fila_punto('Venta total', 'VENTA TOTAL DIA', y + 60);
    execute procedure formato_fila_punto('Devoluciones', 'DEVOLUCION DIA', y + 80);
    execute procedure formato_fila_punto('Venta neta', 'VENTA NETA DIA', y + 100);
    execute procedure formato_fila_punto('Venta exenta', 'VENTA EXENTA DIA', y + 120);
    execute procedure formato_fila_punto('Venta gravada tarifa 1', 'VENTA GRAVADA1 DIA', y + 140);
    execute procedure formato_fila_punto('Venta gravada tarifa 2', 'VENTA GRAVADA2 DIA', y + 160);
    execute procedure formato_fila_punto('IVA tarifa 1', 'IVA1 DIA', y + 180);
    execute procedure formato_fila_punto('IVA tarifa 2', 'IVA2 DIA', y + 200);
    execute procedure formato_fila_punto('Descuentos', 'DESCUENTOS DIA', y + 220);

    y = 528;
    execute procedure formato_texto('Formas de pago del día', 50, y, 8);
    execute procedure formato_fila_punto('Efectivo', 'FORMA PAGO 1', y + 20);
    execute procedure formato_fila_punto('Cheque', 'FORMA PAGO 2', y + 40);
    execute procedure formato_fila_punto('Tarjeta débito', 'FORMA PAGO 3', y + 60);
    execute procedure formato_fila_punto('Tarjeta crédito', 'FORMA PAGO 4', y + 80);
    execute procedure formato_fila_punto('Bono regalo', 'FORMA PAGO 5', y + 100);
    execute procedure formato_fila_punto('Venta otras formas', 'VENTA OTRAS FORMAS', y + 120);
    execute procedure formato_fila_punto('Venta a crédito (cartera)', 'CARTERA DIA', y + 140);

    y = 688;
    execute procedure formato_texto('Movimiento de caja', 50, y, 8);
    execute procedure formato_fila_punto('Saldo inicial', 'SALDO INICIAL CAJA', y + 20);
    execute procedure formato_fila_punto('Ingreso de cartera', 'INGRESO CARTERA', y + 40);
    execute procedure formato_fila_punto('Otros ingresos', 'INGRESO OTROS', y + 60);
    execute procedure formato_fila_punto('Traslados recibidos', 'TRASLADOS RECIBIDOS', y + 80);
    execute procedure formato_fila_punto('Ingreso total', 'INGRESO TOTAL', y + 100);
    execute procedure formato_fila_punto('Egreso a proveedores', 'EGRESO CXPAGAR', y + 120);
    execute procedure formato_fila_punto('Egreso gastos de operación', 'EGRESO CLASE1', y + 140);
    execute procedure formato_fila_punto('Egreso anticipos al personal', 'EGRESO CLASE2', y + 160);
    execute procedure formato_fila_punto('Otros egresos', 'EGRESO OTROS', y + 180);
    execute procedure formato_fila_punto('Traslados enviados', 'TRASLADOS ENVIADOS', y + 200);
    execute procedure formato_fila_punto('Consignaciones', 'CONSIGNACIONES', y + 220);
    execute procedure formato_fila_punto('Egreso total', 'EGRESO TOTAL', y + 240);
    execute procedure formato_fila_punto('Saldo final', 'SALDO FINAL CAJA', y + 260);
    execute procedure formato_fila_punto('Total efectivo', 'TOTAL EFECTIVO', y + 280);

    y = 1000;
    execute procedure formato_texto('Acumulado del mes', 50, y, 8);
    execute procedure formato_fila_punto('Venta de contado', 'VENTA CONTADO MES', y + 20);
    execute procedure formato_fila_punto('Venta a crédito', 'VENTA CREDITO MES', y + 40);
    execute procedure formato_fila_punto('Venta total', 'VENTA TOTAL MES', y + 60);
    execute procedure formato_fila_punto('Devoluciones', 'DEVOLUCION MES', y + 80);
    execute procedure formato_fila_punto('Venta neta', 'VENTA NETA MES', y + 100);
    execute procedure formato_fila_punto('Venta exenta', 'VENTA EXENTA MES', y + 120);
    execute procedure formato_fila_punto('Venta gravada tarifa 1', 'VENTA GRAVADA1 MES', y + 140);
    execute procedure formato_fila_punto('Venta gravada tarifa 2', 'VENTA GRAVADA2 MES', y + 160);
    execute procedure formato_fila_punto('IVA tarifa 1', 'IVA1 MES', y + 180);
    execute procedure formato_fila_punto('IVA tarifa 2', 'IVA2 MES', y + 200);
    execute procedure formato_fila_punto('Descuentos', 'DESCUENTOS MES', y + 220);
    execute procedure formato_fila_punto('Venta otras formas', 'VENTA OTRAS FORMAS MES', y + 240);

    -- Totals of all points of sale, and the branch's purchases.
    execute procedure formato_texto('TOTALES', 50, 1290, 9);
    execute procedure formato_elemento('L', 40, 1330, 700, 0, null, null);
    execute procedure formato_elemento('L', 760, 1330, 700, 0, null, null);
    y = 1322;
    execute procedure formato_texto('Ventas', 50, y, 8);
    execute procedure formato_texto('Compras', 770, y, 8);
    execute procedure formato_texto('Día', 400, y);
    execute procedure formato_texto('Mes', 550, y);
    execute procedure formato_texto('Proyectado', 640, y);
    execute procedure formato_texto('Día', 1120, y);
    execute procedure formato_texto('Mes', 1270, y);
    execute procedure formato_texto('Proyectado', 1360, y);

    y = 1350;
    execute procedure formato_fila_total(40, 'Venta de contado', 'TOTAL VENTA CONTADO DIA', 'TOTAL VENTA CONTADO MES',
                                 'VENTA CONTADO PROYECTADA', y);
    execute procedure formato_fila_total(40, 'Venta a crédito', 'TOTAL VENTA CREDITO DIA', 'TOTAL VENTA CREDITO MES',
                                 'VENTA CREDITO PROYECTADA', y + 22);
    execute procedure formato_fila_total(40, 'Venta otras formas', 'TOTAL VENTA FORMAS DIA', 'TOTAL VENTA FORMAS MES',
                                 'VENTA FORMAS PROYECTADA', y + 44);
    execute procedure formato_fila_total(40, 'Devoluciones', 'TOTAL DEVOLUCION DIA', 'TOTAL DEVOLUCION MES',
                                 'DEVOLUCION PROYECTADA', y + 66);
    execute procedure formato_fila_total(40, 'Venta neta', 'TOTAL VENTA NETA DIA', 'TOTAL VENTA NETA MES',
                                 'VENTA NETA PROYECTADA', y + 88);
    execute procedure formato_fila_total(40, 'Venta gravada tarifa 1', 'TOTAL VENTA GRAVADA1 DIA',
                                 'TOTAL VENTA GRAVADA1 MES', 'VENTA GRAVADA1 PROYECTADA', y + 110);
    execute procedure formato_fila_total(40, 'Venta gravada tarifa 2', 'TOTAL VENTA GRAVADA2 DIA',
                                 'TOTAL VENTA GRAVADA2 MES', 'VENTA GRAVADA2 PROYECTADA', y + 132);
    execute procedure formato_fila_total(40, 'Venta exenta', 'TOTAL VENTA EXENTA DIA', 'TOTAL VENTA EXENTA MES',
                                 'VENTA EXENTA PROYECTADA', y + 154);
    execute procedure formato_fila_total(40, 'IVA tarifa 1', null, null, 'IVA1 PROYECTADO', y + 176);
    execute procedure formato_fila_total(40, 'IVA tarifa 2', null, null, 'IVA2 PROYECTADO', y + 198);
    execute procedure formato_fila_total(40, 'IVA total', null, null, 'IVA TOTAL PROYECTADO', y + 220);

    execute procedure formato_fila_total(760, 'Compra total', 'COMPRA TOTAL DIA', 'COMPRA TOTAL MES', null, y);
    execute procedure formato_fila_total(760, 'Compra de contado', 'COMPRA CONTADO DIA', 'COMPRA CONTADO MES', null,
                                 y + 22);
    execute procedure formato_fila_total(760, 'Compra a crédito', 'COMPRA CREDITO DIA', 'COMPRA CREDITO MES', null,
                                 y + 44);
    execute procedure formato_fila_total(760, 'Devolución en compras', 'DEVCOMPRA DIA', 'DEVCOMPRA MES', null, y + 66);
    execute procedure formato_fila_total(760, 'Compra neta', 'COMPRA NETA DIA', 'COMPRA NETA MES', null, y + 88);
    execute procedure formato_fila_total(760, 'Compra exenta', 'COMPRA EXENTA DIA', 'COMPRA EXENTA MES', null, y + 110);
    execute procedure formato_fila_total(760, 'Compra gravada tarifa 1', 'COMPRA GRAVADA1 DIA', 'COMPRA GRAVADA1 MES',
                                 null, y + 132);
    execute procedure formato_fila_total(760, 'Compra gravada tarifa 2', 'COMPRA GRAVADA2 DIA', 'COMPRA GRAVADA2 MES',
                                 null, y + 154);
    execute procedure formato_fila_total(760, 'IVA compras tarifa 1', 'IVA1 COMPRAS DIA', 'IVA1 COMPRAS MES',
                                 'IVA1 COMPRAS PROYECTADO', y + 176);
    execute procedure formato_fila_total(760, 'IVA compras tarifa 2', 'IVA2 COMPRAS DIA', 'IVA2 COMPRAS MES',
                                 'IVA2 COMPRAS PROYECTADO', y + 198);
    execute procedure formato_fila_total(760, 'IVA total compras', null, null, 'IVA TOTAL COMPRAS PROYECTADO', y + 220);

    -- Signatures.
    execute procedure formato_elemento('L', 100, 1850, 450, 0, null, null);
    execute procedure formato_elemento('L', 950, 1850, 450, 0, null, null);
    execute procedure formato_texto('Elaboró', 100, 1880);
    execute procedure formato_texto('Revisó', 950, 1880);
end^

set term ;^

drop procedure formato_fila_total;
drop procedure formato_fila_punto;
drop procedure formato_dato;
drop procedure formato_texto;
drop procedure formato_elemento;
