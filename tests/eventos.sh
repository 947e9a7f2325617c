#!/usr/bin/env bash
# A command's entry and exit log lines come from its frame (Comando), not
# from lines written by hand. The exit lines still written by hand are the
# ones listed in eventos_a_mano.txt (events that are no command, or whose
# frame is still to come): any other one fails, and so does a listed one that
# is gone, so the list only shrinks.
aqui=$(cd "$(dirname "$0")" && pwd)
cd "${1:-$aqui/../src}" || exit 2
encontrados=$(grep -rnE 'EscribirLog\((QStringLiteral\("TERMINO (EL EVENTO|LA +FUNCION)-+|termino\(")' --include=*.cpp . |
  sed -E 's#^\./([^:]*):[0-9]+:.*(TERMINO (EL EVENTO|LA +FUNCION)-+|termino\(")([A-Za-z0-9_ ]+).*#\1 \4#' | sort -u)
esperados=$(grep -v '^#' "$aqui/eventos_a_mano.txt" | sed '/^$/d' | sort -u)
nuevos=$(comm -23 <(echo "$encontrados") <(echo "$esperados"))
idos=$(comm -13 <(echo "$encontrados") <(echo "$esperados"))
[ -n "$nuevos" ] && printf 'Salida escrita a mano fuera de un marco:\n%s\n' "$nuevos"
[ -n "$idos" ] && printf 'Ya en un marco (quítelos de eventos_a_mano.txt):\n%s\n' "$idos"
[ -z "$nuevos$idos" ]
