-- Indexes made on empty tables tell the optimizer nothing; once the business is in, their selectivity is
-- measured again so that the summaries read through the right ones.

set term ^;
execute block as
    declare indice varchar(63);
begin
    for select trim(rdb$index_name) from rdb$indices where coalesce(rdb$system_flag, 0) = 0 into :indice do
        execute statement 'set statistics index "' || indice || '"';
end^
set term ;^
