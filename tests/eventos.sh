#!/usr/bin/env bash
# A command's or an event's entry and exit log lines come from its frame
# (Comando, Evento), never from an exit line written by hand. Any exit line
# written by hand fails unless listed in eventos_a_mano.txt, and a listed one
# that is gone fails too, so the list only shrinks; it is empty now.
aqui=$(cd "$(dirname "$0")" && pwd)
cd "${1:-$aqui/../src}" || exit 2
encontrados=$(grep -rnE '(EscribirLog|(^|[^A-Za-z_])log)\((QStringLiteral\("[A-Z0-9 -]*TE?RMINO (EL EVENTO|LA +FUNCION)|termino\(")' \
    --include=*.cpp --include=*.h . |
  sed -E 's#^\./([^:]*):[0-9]+:.*(TE?RMINO (EL EVENTO|LA +FUNCION)-*|termino\(")([A-Za-z0-9_ ]*).*#\1 \4#' | sort -u)
esperados=$(grep -v '^#' "$aqui/eventos_a_mano.txt" | sed '/^$/d' | sort -u)
nuevos=$(comm -23 <(echo "$encontrados") <(echo "$esperados"))
idos=$(comm -13 <(echo "$encontrados") <(echo "$esperados"))
[ -n "$nuevos" ] && printf 'Salida escrita a mano fuera de un marco:\n%s\n' "$nuevos"
[ -n "$idos" ] && printf 'Ya en un marco (quítelos de eventos_a_mano.txt):\n%s\n' "$idos"
[ -z "$nuevos$idos" ]
