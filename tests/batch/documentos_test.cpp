// aviso-lote etiquetas and lista: the PDF's text against the files under
// tests/data/batch/documentos, the refusals and their exit statuses.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "apoyo.h"

namespace {

// What the PDF says, as the golden files hold it: the code printed last on
// each label page, or the list's subtotal and total lines.
QString extracto(const QString& pdf, bool etiquetas) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  p.waitForFinished(60000);
  static const QRegularExpression blancos(QStringLiteral("\\s+"));
  QStringList out;
  for (const QString& pagina : QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'))) {
    const QStringList lineas = pagina.split(QLatin1Char('\n'));
    for (const QString& l : lineas) {
      const QString t = QString(l).replace(blancos, QStringLiteral(" ")).trimmed();
      if (!etiquetas && t.contains(QStringLiteral("total"), Qt::CaseInsensitive)) out << t;
      if (etiquetas && !t.isEmpty()) {
        if (&l == &lineas.first() || out.isEmpty()) out << QString();
        out.last() = t;
      }
    }
  }
  return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace

TEST_F(LoteTest, EtiquetasYListaDeEmpaqueEnPdf) {
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  const QString trabajo = datos(QStringLiteral("trabajo_dos_pedidos.code"));
  const QString falla = datos(QStringLiteral("documentos/trabajo_falla.code"));
  struct Caso {
    QStringList args;
    int estado;
    const char* error;    // first line on standard error
    const char* dorado;   // file under documentos/ the PDF's text must give
  };
  const QString e = QStringLiteral("etiquetas"), l = QStringLiteral("lista"), pdf = QStringLiteral("--pdf");
  const Caso casos[] = {
      {{e, trabajo, QStringLiteral("--entrega"), QStringLiteral("09/12/2026")}, lote::kHecho, "", "etiquetas.txt"},
      {{e, trabajo, QStringLiteral("--formato"), QStringLiteral("A4"), QStringLiteral("--hora"), QStringLiteral("9")},
       lote::kHecho, "", nullptr},
      {{l, trabajo, QStringLiteral("--hora"), QStringLiteral("09:00")}, lote::kHecho, "", "lista.txt"},
      {{e, falla}, lote::kRehusado, "Datos Incompletos: ERROR, no puede haber cantidades = 0!", nullptr},
      {{l, falla}, lote::kRehusado, "Datos Incompletos: ERROR, no puede haber cantidades = 0!", nullptr},
      {{e, trabajo, QStringLiteral("--formato"), QStringLiteral("5x8")}, lote::kError,
       "aviso-lote: --formato \"5x8\" no es un formato de etiqueta (4x6, carta, a4)", nullptr},
      {{l, trabajo, QStringLiteral("--entrega"), QStringLiteral("31/02/2026")}, lote::kError,
       "aviso-lote: --entrega \"31/02/2026\" no es una fecha DD/MM/AAAA", nullptr},
      {{l, en(QStringLiteral("no-hay.code"))}, lote::kError, nullptr, nullptr},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(str(c.args));
    const QString salida = en(QStringLiteral("documento.pdf"));
    QFile::remove(salida);
    const Corrida r = programa(c.args + QStringList{pdf, salida});
    EXPECT_EQ(r.estado, c.estado) << str(r.errores);
    if (c.error) EXPECT_EQ(r.errores.value(0), Q(c.error));
    EXPECT_EQ(QFile::exists(salida), c.estado == lote::kHecho);
    if (!c.dorado) continue;
    QFile f(datos(QStringLiteral("documentos/") + QLatin1String(c.dorado)));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(extracto(salida, c.args[0] == e), QString::fromUtf8(f.readAll()));
  }
  // Without --pdf nothing is opened; a process without the GUI module's
  // application object (this test's) cannot paint.
  EXPECT_EQ(programa({l, trabajo}).estado, lote::kError);
  EXPECT_EQ(correr({l, trabajo, pdf, en(QStringLiteral("x.pdf"))}).estado, lote::kError);
}
