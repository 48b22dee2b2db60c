-- Drops the demo generator once it has run, so the company keeps the plain schema.

drop procedure generar_demo;
drop procedure demo_clientes_dia;
drop procedure demo_dia_punto;
drop procedure demo_dia_sucursal;
drop procedure demo_egreso;
drop procedure demo_recibo;
drop procedure demo_factura;
drop procedure demo_efectivo_disponible;
drop procedure demo_marque_hora;
drop procedure demo_azar;
