-- Document keys, final numbering of documents written with numok 'N', the audit trail, and the payment
-- documents that enter and leave the cash boxes.

create sequence gen_facturas;
create sequence gen_recibos_caja;
create sequence gen_traslados_caja;
create sequence gen_egresos;
create sequence gen_devoluciones_venta;
create sequence gen_consignaciones;
create sequence gen_compras;
create sequence gen_devoluciones_compra;
create sequence gen_documentos_pago_caja;
create sequence gen_envio_resumdia;
create sequence gen_auditoria;
create sequence gen_contable;
create sequence gen_errores;

set term ^;

-- Sequences are outside transactions, so a key is never given twice, even when the caller rolls back.
create procedure cambie_id_factura returns (id integer) as
begin
    id = gen_id(gen_facturas, 1);
end^

create procedure cambie_id_recicaja returns (id integer) as
begin
    id = gen_id(gen_recibos_caja, 1);
end^

create procedure cambie_id_traslacaja returns (id integer) as
begin
    id = gen_id(gen_traslados_caja, 1);
end^

create procedure cambie_id_egreso returns (id integer) as
begin
    id = gen_id(gen_egresos, 1);
end^

-- The final number of a document of type and prefix: the prefix's next number when it numbers
-- automatically (which then advances, keeping its width), else the number the document came with.
create procedure numere_documento (tipo integer, prefijo varchar(4), numero_dado varchar(8))
returns (numero varchar(8), numok char(1)) as
    declare siguiente varchar(8);
begin
    numero = numero_dado;
    numok = 'N';
    -- The update locks the prefix row, so two writers never take the same number.
    update prefijos
       set pref_actual = lpad(cast(cast(pref_actual as bigint) + 1 as varchar(18)), char_length(pref_actual), '0')
     where tido_cod = :tipo and pref_pre = :prefijo and pref_auto = 'S'
    returning old.pref_actual into :siguiente;
    if (row_count > 0) then
    begin
        numero = siguiente;
        numok = 'S';
    end
end^

create trigger facturas_numera for facturas active before insert as
begin
    if (new.numok = 'N') then
        execute procedure numere_documento(31, new.pref_pre, new.fact_numero)
            returning_values new.fact_numero, new.numok;
end^

create trigger recibos_caja_numera for recibos_caja active before insert as
begin
    if (new.numok = 'N') then
        execute procedure numere_documento(new.tido_cod, new.pref_pre, new.reca_numero)
            returning_values new.reca_numero, new.numok;
end^

create trigger traslados_caja_numera for traslados_caja active before insert as
begin
    if (new.numok = 'N') then
        execute procedure numere_documento(66, new.pref_pre, new.trcj_numero)
            returning_values new.trcj_numero, new.numok;
end^

create trigger egresos_numera for egresos active before insert as
begin
    if (new.numok = 'N') then
        execute procedure numere_documento(new.tido_cod, new.pref_pre, new.egre_numero)
            returning_values new.egre_numero, new.numok;
end^

create trigger envio_resumdia_id for envio_resumdia active before insert as
begin
    if (new.enre_id is null) then
        new.enre_id = gen_id(gen_envio_resumdia, 1);
end^

-- A loader of past business sets AUDITORIA_FECHA, AUDITORIA_HORA and AUDITORIA_USUARIO in its
-- transaction's context so that the trail carries the business date and time; otherwise it is now.
create procedure registre_auditoria (tipo integer, iddoc integer, operacion char(1), codigo varchar(20)) as
begin
    insert into auditoria (audi_id, audi_usuario, audi_fecha, audi_hora, tido_cod, audi_iddoc, audi_oper,
                           audi_cod, audi_envio)
    values (gen_id(gen_auditoria, 1),
            coalesce(rdb$get_context('USER_TRANSACTION', 'AUDITORIA_USUARIO'), current_user),
            coalesce(cast(rdb$get_context('USER_TRANSACTION', 'AUDITORIA_FECHA') as date), current_date),
            coalesce(cast(rdb$get_context('USER_TRANSACTION', 'AUDITORIA_HORA') as time), current_time),
            :tipo, :iddoc, :operacion, :codigo, 'N');
end^

create trigger facturas_audita for facturas active after insert as
begin
    execute procedure registre_auditoria(31, new.fact_id, 'I', new.fact_numero);
end^

create trigger traslados_caja_audita for traslados_caja active after insert as
begin
    execute procedure registre_auditoria(66, new.trcj_id, 'I', new.trcj_numero);
end^

create trigger egresos_audita for egresos active after insert as
begin
    execute procedure registre_auditoria(62, new.egre_id, 'I', new.egre_numero);
end^

create trigger terceros_audita for terceros active after insert or update or delete as
begin
    if (inserting) then
        execute procedure registre_auditoria(102, null, 'I', new.terc_nit);
    else if (updating) then
        execute procedure registre_auditoria(102, null, 'U', new.terc_nit);
    else
        execute procedure registre_auditoria(102, null, 'D', old.terc_nit);
end^

create trigger clientes_audita for clientes active after insert or update or delete as
begin
    if (inserting) then
        execute procedure registre_auditoria(103, null, 'I', new.terc_nit);
    else if (updating) then
        execute procedure registre_auditoria(103, null, 'U', new.terc_nit);
    else
        execute procedure registre_auditoria(103, null, 'D', old.terc_nit);
end^

-- A cheque or voucher received in a cash box stays there until a transfer takes it to another box.
create procedure reciba_documento_pago (caja integer, forma integer, banco varchar(3), cuenta varchar(20),
                                        numero varchar(20), fecha date, monto numeric(15,2),
                                        tipo integer, iddoc integer) as
begin
    if (exists (select 1 from formas_pago where fopa_id = :forma and fopa_documento = 'S')
        and exists (select 1 from cajas where caja_id = :caja)) then
        insert into documentos_pago_caja (dpca_id, caja_id, fopa_id, dpca_banco, dpca_cuenta, dpca_numero,
                                          dpca_fecha, dpca_monto, dpca_tipoent, dpca_ident)
        values (gen_id(gen_documentos_pago_caja, 1), :caja, :forma, left(:banco, 2), :cuenta, :numero,
                :fecha, :monto, :tipo, :iddoc);
end^

create trigger facturas_pago_recibe for facturas_pago active after insert as
    declare caja integer;
begin
    select p.caja_id from facturas f join punto_venta p on p.ptvt_id = f.ptvt_id
     where f.fact_id = new.fact_id into :caja;
    execute procedure reciba_documento_pago(caja, new.fopa_id, new.fapa_banco, new.fapa_cuenta,
                                            new.fapa_numero, new.fapa_fecha, new.fapa_monto, 31, new.fact_id);
end^

create trigger recibos_caja_pago_recibe for recibos_caja_pago active after insert as
    declare caja integer;
begin
    select caja_id from recibos_caja where reca_id = new.reca_id into :caja;
    execute procedure reciba_documento_pago(caja, new.fopa_id, new.rcpa_banco, new.rcpa_cuenta,
                                            new.rcpa_numero, new.rcpa_fecha, new.rcpa_monto, 61, new.reca_id);
end^

create trigger traslados_caja_det_mueve for traslados_caja_det active after insert as
    declare origen integer;
    declare destino integer;
begin
    select caja_id, trcj_destino from traslados_caja where trcj_id = new.trcj_id into :origen, :destino;
    update documentos_pago_caja
       set dpca_tiposal = 66, dpca_idsal = new.trcj_id
     where caja_id = :origen and fopa_id = new.fopa_id and dpca_banco = new.trcd_banco
       and dpca_cuenta = new.trcd_cuenta and dpca_numero = new.trcd_numero
       and dpca_tiposal = 0 and dpca_idsal = 0
      rows 1;
    execute procedure reciba_documento_pago(destino, new.fopa_id, new.trcd_banco, new.trcd_cuenta,
                                            new.trcd_numero, new.trcd_fecha, new.trcd_monto, 66, new.trcj_id);
end^

set term ;^
