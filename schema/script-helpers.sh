# Helpers shared by the company scripts; sourced, not run.

# Stops with a message unless $2 is a whole number; $1 names the option.
whole_number() {
    case $2 in
        '' | *[!0-9]*) echo "$1 debe ser un número entero: '$2'" >&2; exit 2 ;;
    esac
}

# A text as an SQL string literal.
sql_text() { printf "'%s'" "${1//\'/\'\'}"; }
