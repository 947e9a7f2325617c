// aviso-lote's arguments and its --datos / --detalle value files. The input
// is the value file valores.txt up to its first NUL, then the arguments, one
// per line. They run in the run's folder with an order file pedidos.inf
// beside them; arguments naming another folder (a slash) and the PDF
// commands, which need the GUI module, are left out. Whatever the
// arguments, the run ends with one of the three statuses.
#include <QTextStream>

#include "batch/lote.h"
#include "comun.h"

namespace {

const char kPedidos[] =
    "ORDEN,DEPTO,FECHA EMBARQUE,FECHA CANCELACION,TIENDA,SKU,MODELO,UPC,COLOR,TALLA,CANTIDAD,COSTO,PRECIO,TIPO,CONTENEDOR\r\n"
    "4500001234,123,01/12/26,20/12/26,0102,77001,MOD-A,7501000000011,ROJO,CH,12,45.50,99.90,XX,\r\n"
    "4500001235,123,02/12/26,22/12/26,0103,77003,MOD-C,7501000000035,AZUL,M,8,30.00,59.90,,\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  using namespace fuzz;
  if (n > 20000) return 0;
  const QByteArray b = bytes(datos, n);
  const qsizetype nul = b.indexOf('\0');
  const QByteArray valores = nul < 0 ? QByteArray() : b.left(nul);
  const QStringList argumentos = QString::fromUtf8(nul < 0 ? b : b.mid(nul + 1)).split(QLatin1Char('\n'));
  for (const QString& a : argumentos)
    if (a.contains(QLatin1Char('/')) || a.contains(QLatin1Char('\\')) || a == QStringLiteral("etiquetas") ||
        a == QStringLiteral("lista"))
      return 0;
  escribir(QStringLiteral("pedidos.inf"), reinterpret_cast<const uint8_t*>(kPedidos), sizeof kPedidos - 1);
  escribir(QStringLiteral("valores.txt"), valores);
  QDir(ruta(QStringLiteral("Log"))).removeRecursively();
  QString salida, errores;
  QTextStream s(&salida), e(&errores);
  // The names are the run folder's; the fuzzer reads its own files from where it started.
  const QString antes = QDir::currentPath();
  QDir::setCurrent(carpeta().path());
  const int estado = lote::ejecutar(argumentos, carpeta().path(), s, e);
  QDir::setCurrent(antes);
  exigir(estado == lote::kHecho || estado == lote::kRehusado || estado == lote::kError);
  return 0;
}
