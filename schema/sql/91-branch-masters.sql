-- Branches with their stores, cash boxes, points of sale, salespeople, prefixes, authorisations and
-- posting interfaces.

set term ^;

-- Point i belongs to branch ((i - 1) mod branches) + 1 and has cash box i. Its invoices take prefix
-- Fiii and are paid with receipts of prefix Riii, both numbered automatically; transfers of branch s
-- take Tsss, numbered automatically, and its disbursements Esss, numbered by hand.
create procedure cree_puntos_venta (sucursales integer, puntos integer) as
    declare s integer;
    declare i integer;
    declare nombre varchar(60);
    declare factura varchar(4);
    declare recibo varchar(4);
begin
    if (sucursales < 1 or puntos < sucursales) then
        exception e_datos_invalidos 'Se necesita al menos una sucursal y un punto de venta por sucursal';
    s = 1;
    while (s <= sucursales) do
    begin
        nombre = 'ALMACEN ' || decode(s, 1, 'CENTRO', 2, 'NORTE', 3, 'SUR', 4, 'OCCIDENTE', 5, 'ORIENTE', s);
        insert into sucursales values (:s, :nombre, 'CALLE ' || (10 * :s) || ' # ' || (5 + :s) || '-20',
                                       '601 ' || (3400000 + :s));
        insert into bodegas values (lpad(:s, 2, '0'), 'BODEGA ' || :nombre, :s);
        insert into prefijos values (66, 'T' || lpad(:s, 3, '0'), 'TRASLADOS ' || :nombre, '000001', 'S', 'N');
        insert into prefijos values (62, 'E' || lpad(:s, 3, '0'), 'EGRESOS ' || :nombre, '000001', 'N', 'N');
        insert into interfaz_caja (incj_id, tido_cod, pref_pre, incj_nombre, incj_ctaefectivo,
                                   incj_ctadocumentos, incj_ctatraslados)
        values (1000 + :s, 66, 'T' || lpad(:s, 3, '0'), 'TRASLADOS ' || :nombre, '110505', '110510', '110515');
        s = s + 1;
    end

    i = 1;
    while (i <= puntos) do
    begin
        s = mod(i - 1, sucursales) + 1;
        factura = 'F' || lpad(i, 3, '0');
        recibo = 'R' || lpad(i, 3, '0');
        insert into cajas values (:i, 'CAJA ' || lpad(:i, 2, '0'), :s, 0, '2000-01-01');
        insert into punto_venta values (:i, 'PUNTO ' || lpad(:i, 2, '0'), 'S', :s, lpad(:s, 2, '0'), :i,
                                        '222222222222', :factura);
        insert into vendedores values (10 * :i + 1, decode(mod(:i, 4), 0, 'ANA MARIA TORRES', 1, 'CARLOS PEREZ',
                                                           2, 'LUZ DARY GOMEZ', 'JUAN PABLO RUIZ'), :i, 'S');
        insert into vendedores values (10 * :i + 2, decode(mod(:i, 3), 0, 'DIANA LOPEZ', 1, 'MIGUEL ANGEL CASTRO',
                                                           'SANDRA MILENA ROJAS'), :i, 'S');
        insert into prefijos values (31, :factura, 'FACTURAS PUNTO ' || lpad(:i, 2, '0'), '000001', 'S', 'N');
        insert into prefijos values (61, :recibo, 'RECIBOS PUNTO ' || lpad(:i, 2, '0'), '000001', 'S', 'N');
        insert into autorizaciones values (:factura, '1876200' || lpad(:i, 5, '0'), '2015-01-01', 1, 999999,
                                           :recibo);
        insert into interfaz_ventas values (:i, 31, :factura, 'VENTAS PUNTO ' || lpad(:i, 2, '0'), '130505',
                                            '413515', '413505', '413510', '240805', '240810', '246405', '530535',
                                            '429581');
        insert into interfaz_caja values (:i, 61, :recibo, 'RECIBOS PUNTO ' || lpad(:i, 2, '0'), '110505',
                                          '110510', '130505', '425050', '135515', '530540', '110515');
        i = i + 1;
    end
end^

set term ;^
