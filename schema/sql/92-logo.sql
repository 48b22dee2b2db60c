-- The company logo as a Windows bitmap: a framed bar chart, 160 x 64 pixels, one bit per pixel.

set term ^;

-- With con_encabezado 'S' the bitmap is preceded by the 8-byte header the suite stores images with:
-- count 1 and type 256 as 16-bit numbers, then the bitmap's length as a 32-bit number, little-endian.
create procedure logotipo_bmp (con_encabezado char(1)) returns (imagen blob sub_type binary) as
    declare function entero16(n integer) returns varchar(2) character set octets as
    begin
        return ascii_char(bin_and(n, 255)) || ascii_char(bin_shr(n, 8));
    end
    declare function entero32(n integer) returns varchar(4) character set octets as
    begin
        return ascii_char(bin_and(n, 255)) || ascii_char(bin_and(bin_shr(n, 8), 255))
            || ascii_char(bin_and(bin_shr(n, 16), 255)) || ascii_char(bin_shr(n, 24));
    end
    -- Rows count from the bottom, as the bitmap stores them.
    declare function negro(x integer, y integer) returns boolean as
        declare barra integer;
    begin
        if (x < 3 or x >= 157 or y < 3 or y >= 61) then
            return true;
        if (y between 8 and 9 and x between 12 and 147) then
            return true;
        barra = (x - 20) / 26;
        if (x >= 20 and barra < 5 and mod(x - 20, 26) < 16) then
            return y >= 10 and y < 10 + decode(barra, 0, 18, 1, 30, 2, 24, 3, 38, 44);
        return false;
    end
    declare ancho integer = 160;
    declare alto integer = 64;
    declare bytes_fila integer = 20;
    declare bitmap varchar(2000) character set octets;
    declare x integer;
    declare y integer;
    declare octeto integer;
    declare bit integer;
begin
    bitmap = 'BM' || entero32(62 + bytes_fila * alto) || entero32(0) || entero32(62)
          || entero32(40) || entero32(ancho) || entero32(alto) || entero16(1) || entero16(1)
          || entero32(0) || entero32(bytes_fila * alto) || entero32(3780) || entero32(3780)
          || entero32(2) || entero32(0)
          || entero32(16777215) || entero32(0);
    y = 0;
    while (y < alto) do
    begin
        x = 0;
        while (x < ancho) do
        begin
            octeto = 0;
            bit = 0;
            while (bit < 8) do
            begin
                octeto = octeto * 2 + iif(negro(x + bit, y), 1, 0);
                bit = bit + 1;
            end
            bitmap = bitmap || ascii_char(octeto);
            x = x + 8;
        end
        y = y + 1;
    end
    if (con_encabezado = 'S') then
        bitmap = entero16(1) || entero16(256) || entero32(octet_length(bitmap)) || bitmap;
    imagen = bitmap;
    suspend;
end^

set term ;^
