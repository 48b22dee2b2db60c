-- Masters every company starts with: configuration, document types, tax rates, payment forms,
-- disbursement classes, chart of accounts, articles and the usual third parties.

-- The trail of these masters carries the installation date, not the day the database was made.
set term ^;
execute block as
    declare ignorado integer;
begin
    ignorado = rdb$set_context('USER_TRANSACTION', 'AUDITORIA_FECHA', '2015-01-01');
    ignorado = rdb$set_context('USER_TRANSACTION', 'AUDITORIA_HORA', '00:00:00');
    ignorado = rdb$set_context('USER_TRANSACTION', 'AUDITORIA_USUARIO', 'INSTALACION');
end^
set term ;^

insert into configuracion values ('FACTURACION', 'GENERAL', 'PREVISUALIZAR IMPRESION DE DOCUMENTOS', 'SI');
-- Totals are kept to the cent (a multiple of 10^-2).
insert into configuracion values ('FACTURACION', 'DOCUMENTOS', 'REDONDEO AL MULTIPLO DE DIEZ EN TOTALES', '-2');
insert into configuracion values ('CONTABILIDAD', 'GENERAL', 'ANO BALANCE DE APERTURA NIIF', '2016');
insert into configuracion values ('GENERAL', 'EMPRESA', 'NOMBRE', 'DISTRIBUIDORA NORVANE S.A.S.');

insert into tipos_documento values (21, 'COMPRA');
insert into tipos_documento values (22, 'DEVOLUCION EN COMPRA');
insert into tipos_documento values (31, 'FACTURA DE VENTA');
insert into tipos_documento values (32, 'DEVOLUCION EN VENTA');
insert into tipos_documento values (61, 'RECIBO DE CAJA');
insert into tipos_documento values (62, 'COMPROBANTE DE EGRESO');
insert into tipos_documento values (66, 'TRASLADO DE CAJA');
insert into tipos_documento values (67, 'CONSIGNACION');
insert into tipos_documento values (102, 'TERCERO');
insert into tipos_documento values (103, 'CLIENTE');
insert into tipos_documento values (131, 'CIERRE DIARIO');

insert into tarifa_iva values ('EX', 'EXENTO', 0);
insert into tarifa_iva values ('G16', 'GRAVADO 16%', 16);
insert into tarifa_iva values ('G10', 'GRAVADO 10%', 10);

insert into formas_pago values (1, 'EFECTIVO', 'N');
insert into formas_pago values (2, 'CHEQUE', 'S');
insert into formas_pago values (3, 'TARJETA DEBITO', 'S');
insert into formas_pago values (4, 'TARJETA CREDITO', 'S');
insert into formas_pago values (5, 'BONO REGALO', 'N');

insert into clases_egreso values (1, 'GASTOS DE OPERACION');
insert into clases_egreso values (2, 'ANTICIPOS AL PERSONAL');
insert into clases_egreso values (3, 'OTROS EGRESOS');

insert into cuentas values ('110505', 'CAJA GENERAL', 'D');
insert into cuentas values ('110510', 'DOCUMENTOS POR CONSIGNAR', 'D');
insert into cuentas values ('110515', 'TRASLADOS DE CAJA EN CAMINO', 'D');
insert into cuentas values ('111005', 'BANCOS MONEDA NACIONAL', 'D');
insert into cuentas values ('130505', 'CLIENTES NACIONALES', 'D');
insert into cuentas values ('135515', 'RETENCION EN LA FUENTE', 'D');
insert into cuentas values ('220505', 'PROVEEDORES NACIONALES', 'C');
insert into cuentas values ('240805', 'IVA GENERADO 16%', 'C');
insert into cuentas values ('240810', 'IVA GENERADO 10%', 'C');
insert into cuentas values ('246405', 'IMPUESTO AL CONSUMO', 'C');
insert into cuentas values ('413505', 'VENTAS GRAVADAS 16%', 'C');
insert into cuentas values ('413510', 'VENTAS GRAVADAS 10%', 'C');
insert into cuentas values ('413515', 'VENTAS EXENTAS', 'C');
insert into cuentas values ('425050', 'OTROS INGRESOS DE CAJA', 'C');
insert into cuentas values ('429581', 'AJUSTE AL PESO', 'C');
insert into cuentas values ('530535', 'DESCUENTOS COMERCIALES', 'D');
insert into cuentas values ('530540', 'DESCUENTOS POR PRONTO PAGO', 'D');

insert into articulo values ('A001', 'ARROZ BLANCO 1000 G', 'UND', 'EX', 3800, 3100, 'S');
insert into articulo values ('A002', 'HUEVOS AA X 30', 'UND', 'EX', 14500, 12200, 'S');
insert into articulo values ('A003', 'LECHE ENTERA 1100 ML', 'UND', 'EX', 3900, 3300, 'S');
insert into articulo values ('A004', 'PAPA PASTUSA', 'KG', 'EX', 2600, 1900, 'S');
insert into articulo values ('A005', 'PLATANO HARTON', 'KG', 'EX', 3200, 2400, 'S');
insert into articulo values ('A006', 'LENTEJA 500 G', 'UND', 'EX', 3500, 2800, 'S');
insert into articulo values ('A007', 'PAN TAJADO 600 G', 'UND', 'EX', 5200, 4100, 'S');
insert into articulo values ('A008', 'AZUCAR 1000 G', 'UND', 'EX', 4300, 3600, 'S');
insert into articulo values ('B001', 'CAFE MOLIDO 500 G', 'UND', 'G10', 16900, 13800, 'S');
insert into articulo values ('B002', 'CHOCOLATE DE MESA 500 G', 'UND', 'G10', 11200, 9100, 'S');
insert into articulo values ('B003', 'PASTA SPAGHETTI 500 G', 'UND', 'G10', 3100, 2500, 'S');
insert into articulo values ('B004', 'ATUN EN ACEITE 170 G', 'UND', 'G10', 5600, 4500, 'S');
insert into articulo values ('B005', 'SALCHICHAS X 10', 'PAQ', 'G10', 9800, 7900, 'S');
insert into articulo values ('B006', 'QUESO CAMPESINO 500 G', 'UND', 'G10', 12400, 10200, 'S');
insert into articulo values ('C001', 'ACEITE VEGETAL 1000 ML', 'UND', 'G16', 9900, 8200, 'S');
insert into articulo values ('C002', 'JABON EN BARRA X 3', 'PAQ', 'G16', 6500, 5200, 'S');
insert into articulo values ('C003', 'DETERGENTE EN POLVO 1000 G', 'UND', 'G16', 12800, 10400, 'S');
insert into articulo values ('C004', 'CREMA DENTAL 100 ML', 'UND', 'G16', 7400, 5900, 'S');
insert into articulo values ('C005', 'PAPEL HIGIENICO X 4', 'PAQ', 'G16', 8900, 7100, 'S');
insert into articulo values ('C006', 'GASEOSA 1500 ML', 'UND', 'G16', 4700, 3700, 'S');
insert into articulo values ('C007', 'GALLETAS DE SODA X 6', 'PAQ', 'G16', 4200, 3300, 'S');
insert into articulo values ('C008', 'CHAMPU 400 ML', 'UND', 'G16', 15300, 12400, 'S');
insert into articulo values ('C009', 'LIMPIADOR MULTIUSO 1000 ML', 'UND', 'G16', 6800, 5300, 'S');
insert into articulo values ('C010', 'BOMBILLO LED 9 W', 'UND', 'G16', 7900, 5800, 'S');

insert into terceros (terc_nit, terc_dv, terc_nombre, terc_tipo, terc_direccion, terc_ciudad, terc_cliente,
                      terc_proveedor, terc_fechaing)
values ('222222222222', '0', 'CONSUMIDOR FINAL', 'N', 'MOSTRADOR', 'BOGOTA', 'S', 'N', '2015-01-01');
insert into terceros (terc_nit, terc_dv, terc_nombre, terc_tipo, terc_direccion, terc_ciudad, terc_cliente,
                      terc_proveedor, terc_fechaing)
values ('860001001', '5', 'COMESTIBLES DEL VALLE S.A.', 'J', 'CALLE 10 20-30', 'CALI', 'N', 'S', '2015-01-01');
insert into terceros (terc_nit, terc_dv, terc_nombre, terc_tipo, terc_direccion, terc_ciudad, terc_cliente,
                      terc_proveedor, terc_fechaing)
values ('860002002', '1', 'ASEO Y HOGAR LTDA.', 'J', 'CARRERA 7 45-12', 'BOGOTA', 'N', 'S', '2015-01-01');
insert into terceros (terc_nit, terc_dv, terc_nombre, terc_tipo, terc_direccion, terc_ciudad, terc_cliente,
                      terc_proveedor, terc_fechaing)
values ('860003003', '8', 'LACTEOS LA SABANA S.A.S.', 'J', 'AUTOPISTA NORTE KM 5', 'CHIA', 'N', 'S', '2015-01-01');
insert into terceros (terc_nit, terc_dv, terc_nombre, terc_tipo, terc_direccion, terc_ciudad, terc_cliente,
                      terc_proveedor, terc_fechaing)
values ('900100200', '3', 'RESTAURANTE EL FOGON S.A.S.', 'J', 'CALLE 53 14-20', 'BOGOTA', 'S', 'N', '2015-01-01');
insert into terceros (terc_nit, terc_dv, terc_nombre, terc_tipo, terc_direccion, terc_ciudad, terc_cliente,
                      terc_proveedor, terc_fechaing)
values ('79456123', '2', 'JORGE ENRIQUE RAMIREZ', 'N', 'TRANSVERSAL 5 8-41', 'SOACHA', 'S', 'N', '2015-01-01');

insert into clientes (terc_nit, lipr_cod, clie_cupo, clie_plazo, clie_activo, clie_fechaing)
values ('222222222222', 1, 0, 0, 'S', '2015-01-01');
insert into clientes (terc_nit, lipr_cod, clie_cupo, clie_plazo, clie_activo, clie_fechaing)
values ('900100200', 2, 5000000, 30, 'S', '2015-01-01');
insert into clientes (terc_nit, lipr_cod, clie_cupo, clie_plazo, clie_activo, clie_fechaing)
values ('79456123', 1, 800000, 15, 'S', '2015-01-01');
