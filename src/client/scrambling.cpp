#include "client/scrambling.h"

#include <QHash>

#include "workspace/workspace.h"

namespace {

const std::pair<char16_t, const char16_t*> kTabla[] = {
    {u' ', u")Nh"},
    {u'!', u"smv"},
    {u'\"', u"qot"},
    {u'#', u"isG"},
    {u'$', u"+,G"},
    {u'%', u"$\":"},
    {u'&', u",P}"},
    {u'\'', u"{$`"},
    {u'(', u"~*+"},
    {u')', u"A{I"},
    {u'*', u"NY("},
    {u'+', u"l0("},
    {u',', u",&m"},
    {u'-', u"+nh"},
    {u'.', u"}`v"},
    {u'/', u"vF0"},
    {u'0', u"S$k"},
    {u'1', u"Igt"},
    {u'2', u"a`8"},
    {u'3', u"}%9"},
    {u'4', u">j}"},
    {u'5', u"Izy"},
    {u'6', u"kG*"},
    {u'7', u"&.b"},
    {u'8', u"rh["},
    {u'9', u"ruX"},
    {u':', u"1nB"},
    {u';', u"2wM"},
    {u'<', u"NXA"},
    {u'=', u"M-f"},
    {u'>', u"?^6"},
    {u'?', u"R)N"},
    {u'@', u"NL'"},
    {u'A', u"!Nu"},
    {u'B', u"7~/"},
    {u'C', u"v1Z"},
    {u'D', u"0o:"},
    {u'E', u"b2}"},
    {u'F', u"Nn)"},
    {u'G', u"6V6"},
    {u'H', u"o\"!"},
    {u'I', u"h{f"},
    {u'J', u"[mx"},
    {u'K', u"*Dh"},
    {u'L', u"8R^"},
    {u'M', u"(n9"},
    {u'N', u"lr}"},
    {u'O', u"ktm"},
    {u'P', u"=;L"},
    {u'Q', u"?z8"},
    {u'R', u"`1W"},
    {u'S', u"%cU"},
    {u'T', u"2{I"},
    {u'U', u"t(o"},
    {u'V', u"^5I"},
    {u'W', u"jY|"},
    {u'X', u"[3W"},
    {u'Y', u"4b~"},
    {u'Z', u"gf)"},
    {u'[', u"B_l"},
    {u'\\', u"&eD"},
    {u']', u"uh5"},
    {u'^', u"c4@"},
    {u'_', u"k]N"},
    {u'a', u"FQE"},
    {u'b', u"['b"},
    {u'c', u"di&"},
    {u'd', u"=5,"},
    {u'e', u"}wT"},
    {u'f', u"~5~"},
    {u'g', u"m|U"},
    {u'h', u"SeJ"},
    {u'i', u".4^"},
    {u'j', u">i$"},
    {u'k', u"!sL"},
    {u'l', u"[+>"},
    {u'm', u"2)d"},
    {u'n', u"\"dP"},
    {u'o', u"6_|"},
    {u'p', u"^,%"},
    {u'q', u"rKi"},
    {u'r', u"Ts!"},
    {u's', u"zVY"},
    {u't', u"HZk"},
    {u'u', u"J6d"},
    {u'v', u"{M]"},
    {u'w', u"awx"},
    {u'x', u"Lb="},
    {u'y', u"gAW"},
    {u'z', u"`;A"},
    {u'{', u"E;~"},
    {u'|', u"xYK"},
    {u'}', u"{I<"},};
constexpr int kCuantos = sizeof(kTabla) / sizeof(kTabla[0]);
static_assert(kCuantos == 93, "the code table has 93 entries");

const QHash<QChar, QString>& codigoDe() {
  static const QHash<QChar, QString> m = [] {
    QHash<QChar, QString> h;
    for (const auto& [k, c] : kTabla) h.insert(QChar(k), QString::fromUtf16(c));
    return h;
  }();
  return m;
}

const QHash<QString, QChar>& claveDe() {
  static const QHash<QString, QChar> m = [] {
    QHash<QString, QChar> h;
    for (const auto& [k, c] : kTabla) h.insert(QString::fromUtf16(c), QChar(k));
    return h;
  }();
  return m;
}

}  // namespace

const std::pair<char16_t, const char16_t*>* tablaCodigos(int* cuantos) {
  if (cuantos) *cuantos = kCuantos;
  return kTabla;
}

QString EnCode(Workspace& ws, const QString& texto) {
  ws.EscribirLog(QStringLiteral("MODULO2-----ENTRO A LA FUNCION-----EnCode"));
  QString r;
  r.reserve(texto.size() * 3);
  const auto& m = codigoDe();
  for (QChar c : texto) {
    auto it = m.constFind(c);
    if (it != m.constEnd()) r += *it;
    else r += c;  // not a key: kept as it is
  }
  return r;
}

QString DeCode(const QString& texto) {
  QString r;
  const auto& m = claveDe();
  for (qsizetype i = 0; i < texto.size(); i += 3) {
    auto it = m.constFind(texto.mid(i, 3));
    if (it != m.constEnd()) r += *it;  // a group that is no code is dropped
  }
  return r;
}
