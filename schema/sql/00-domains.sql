-- Value kinds shared by every table of a company database.

create domain d_dinero as numeric(15,2);
create domain d_cantidad as numeric(15,4);
create domain d_sino as char(1) check (value in ('S', 'N'));
create domain d_nit as varchar(20);
create domain d_nombre as varchar(60);
create domain d_prefijo as varchar(4);
create domain d_usuario as varchar(10);

create exception e_datos_invalidos 'Datos no validos';
