#include "documents/notice_check.h"

#include <QFileInfo>
#include <map>
#include <utility>

#include "envio/trabajo.h"
#include "workfile/open.h"
#include "workspace/textfile.h"

using namespace registro;

namespace {

// Pieces per order and container, in hundredths, with where they stand.
struct Piezas {
  qint64 aviso = 0, trabajo = 0;
  bool enAviso = false, enTrabajo = false;
  int linea = 0, columna = 0, filaTrabajo = 0;
};
using Clave = std::pair<QString, QString>;  // order as the notice writes it (trimmed), container

QString ordenComoAviso(const QString& orden) { return rellenar(HD().campos[hd::kPedido], orden).trimmed(); }

QString piezas(qint64 centesimos) {
  const QString t = textoPiezas(centesimos);
  return t + (centesimos == 100 ? QStringLiteral(" pieza") : QStringLiteral(" piezas"));
}

// A field for people; a dash when the record holds nothing there.
QString valor(const RegistroLeido& reg, int campo) {
  const QString t = reg.legible(campo);
  return t.isEmpty() ? QStringLiteral("—") : t;
}

QString lineas(int n) { return QString::number(n) + (n == 1 ? QStringLiteral(" línea") : QStringLiteral(" líneas")); }

QString contenedores(int n) {
  return QString::number(n) + (n == 1 ? QStringLiteral(" contenedor") : QStringLiteral(" contenedores"));
}

}  // namespace

void compararConTrabajo(AvisoLeido& aviso, const std::vector<Linea>& trabajo) {
  std::map<Clave, Piezas> tabla;
  std::map<QString, int> lineaPedido;
  for (const PedidoLeido& p : aviso.pedidos) {
    const QString orden = p.hd.texto(hd::kPedido).trimmed();
    if (p.hd.linea > 0 && !lineaPedido.count(orden)) lineaPedido[orden] = p.hd.linea;
    for (const ContenedorLeido& c : p.contenedores) {
      Piezas& x = tabla[{orden, c.cn.texto(cn::kContenedor)}];
      x.aviso += c.centesimos();
      x.enAviso = true;
      if (x.linea == 0) {
        x.linea = c.cn.linea > 0 ? c.cn.linea : p.hd.linea;
        x.columna = c.cn.linea > 0 ? CN().campos[cn::kContenedor].posicion : 1;
      }
    }
  }
  int fila = 0;
  for (const Linea& l : trabajo) {
    ++fila;
    Piezas& x = tabla[{ordenComoAviso(l.orden), l.contenedor}];
    x.trabajo += l.piezas() * 100;
    x.enTrabajo = true;
    if (x.filaTrabajo == 0) x.filaTrabajo = fila;
  }
  for (const auto& [clave, x] : tabla) {
    const QString quien = QStringLiteral("El contenedor %1 del pedido %2").arg(clave.second, clave.first);
    if (x.enAviso && x.enTrabajo && x.aviso == x.trabajo) continue;
    Hallazgo h{true, x.linea, x.columna, QString()};
    if (!x.enAviso) {
      auto it = lineaPedido.find(clave.first);
      h.linea = it == lineaPedido.end() ? 0 : it->second;
      h.columna = it == lineaPedido.end() ? 0 : HD().campos[hd::kPedido].posicion;
      h.texto = quien + QStringLiteral(" (%1 en el archivo de trabajo, renglón %2 del detalle) no está en el aviso.")
                            .arg(piezas(x.trabajo))
                            .arg(x.filaTrabajo);
    } else if (!x.enTrabajo) {
      h.texto = quien + QStringLiteral(" (%1 en el aviso) no está en el archivo de trabajo.").arg(piezas(x.aviso));
    } else {
      h.texto = quien + QStringLiteral(" lleva %1 en el aviso y %2 en el archivo de trabajo.")
                            .arg(piezas(x.aviso), piezas(x.trabajo));
    }
    aviso.hallar(h);
  }
  aviso.ordenarHallazgos();
}

Revision revisarAviso(const QString& rutaAviso, const QString& rutaTrabajo, bool conTexto) {
  Revision r;
  LectorAviso lector(conTexto);
  const texto::Resultado leido =
      texto::leerPorPartes(rutaAviso, kMaximoBytesAviso, [&lector](const QByteArray& parte) { lector.agregar(parte); });
  if (!leido.ok && leido.numero == 7) {
    r.error = QStringLiteral("No se revisa el aviso %1: mide más de %2 MB (%3 bytes), el máximo que se revisa; el "
                             "aviso del envío más grande (50,000 líneas) mide unos pocos MB.")
                  .arg(rutaAviso)
                  .arg(kMaximoBytesAviso >> 20)
                  .arg(kMaximoBytesAviso);
    return r;
  }
  if (!leido.ok) {
    r.error = QStringLiteral("No se pudo leer el aviso. ") + leido.descripcion;
    return r;
  }
  r.aviso = lector.terminar();
  if (rutaTrabajo.isEmpty()) return r;
  if (!QFileInfo(rutaTrabajo).isFile()) {
    r.error = QStringLiteral("No se encuentra el archivo de trabajo ") + rutaTrabajo;
    return r;
  }
  // Read as the open command reads it, without a workspace: the detail lines
  // as the detail grid would hold them, or the open command's own words.
  QByteArray bytes;
  const texto::Resultado leidoTrabajo = texto::leerBytes(rutaTrabajo, bytes);
  if (!leidoTrabajo.ok) {
    r.error = QStringLiteral("Error inesperado # %1 %2").arg(leidoTrabajo.numero).arg(leidoTrabajo.descripcion);
    return r;
  }
  const ArchivoTrabajo archivo = leerTrabajo(std::move(bytes));
  if (archivo.falla) {
    r.error = QStringLiteral("El archivo: ") + rutaTrabajo + causaRechazo(archivo.falla) +
              QStringLiteral(" No se cargó ningún dato.");
    return r;
  }
  compararConTrabajo(r.aviso, archivo.lineas());
  return r;
}

QString textoTotales(int n, int l, qint64 centesimos) {
  return contenedores(n) + QStringLiteral(", ") + lineas(l) + QStringLiteral(", ") + piezas(centesimos);
}

QString textoHallazgo(const Hallazgo& h) {
  QString donde = h.falta ? QStringLiteral("Falta") : QStringLiteral("Advertencia");
  if (h.linea > 0) donde += QStringLiteral(" en la línea %1, columna %2").arg(h.linea).arg(h.columna);
  return donde + QStringLiteral(": ") + h.texto;
}

QString sinControles(const QString& linea) {
  QString out;
  for (QChar c : linea) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0))
      out += QStringLiteral("\\x%1").arg(static_cast<int>(u), 2, 16, QLatin1Char('0'));
    else
      out += c;
  }
  return out;
}

void informeRevision(const AvisoLeido& aviso, const std::function<void(const QString&)>& linea) {
  const auto out = [&linea](const QString& l) { linea(sinControles(l)); };
  const auto campos = [](const RegistroLeido& reg, std::initializer_list<int> cuales) {
    QStringList partes;
    for (int c : cuales)
      partes.append(reg.registro->campos[static_cast<size_t>(c)].nombre + QLatin1Char(' ') + valor(reg, c));
    return partes.join(QStringLiteral(", "));
  };
  for (const PedidoLeido& p : aviso.pedidos) {
    if (p.hd.linea > 0) {
      out(QStringLiteral("Pedido %1 (línea %2)").arg(valor(p.hd, hd::kPedido)).arg(p.hd.linea));
      out(QStringLiteral("  ") + campos(p.hd, {hd::kMovimiento, hd::kEnvio, hd::kFactura, hd::kImporte}));
      out(QStringLiteral("  ") + campos(p.hd, {hd::kFechaTransaccion, hd::kFechaEmbarque, hd::kFechaEntrega,
                                                    hd::kHora}));
      out(QStringLiteral("  ") + campos(p.hd, {hd::kProveedor, hd::kRfc, hd::kDepartamento, hd::kLugar}));
    } else {
      out(QStringLiteral("Registros sin encabezado HD"));
    }
    for (const ContenedorLeido& c : p.contenedores) {
      const QString nombre = c.cn.linea > 0 ? QStringLiteral("Contenedor %1 (línea %2), tienda %3, tipo de mercancía %4")
                                                  .arg(valor(c.cn, cn::kContenedor))
                                                  .arg(c.cn.linea)
                                                  .arg(valor(c.cn, cn::kTienda), valor(c.cn, cn::kMercancia))
                                            : QStringLiteral("Detalles sin contenedor CN");
      out(QStringLiteral("  ") + nombre + QStringLiteral(": ") +
                 lineas(static_cast<int>(c.detalles.size())) + QStringLiteral(", ") + piezas(c.centesimos()));
    }
    out(QStringLiteral("  Total del pedido: ") +
               textoTotales(static_cast<int>(p.contenedores.size()), p.lineas(), p.centesimos()));
  }
  out(QStringLiteral("Total del aviso: %1 %2, ")
                 .arg(aviso.pedidos.size())
                 .arg(aviso.pedidos.size() == 1 ? QStringLiteral("pedido") : QStringLiteral("pedidos")) +
             textoTotales(aviso.contenedores(), aviso.lineasDetalle(), aviso.centesimos()));
  for (const Hallazgo& h : aviso.hallazgos) out(textoHallazgo(h));
  if (aviso.omitidos() > 0)
    out(QStringLiteral("... y %1 %2 más, que no se listan (se listan los primeros %3).")
                   .arg(aviso.omitidos())
                   .arg(aviso.omitidos() == 1 ? QStringLiteral("hallazgo") : QStringLiteral("hallazgos"))
                   .arg(kMaximoHallazgos));
  const int f = aviso.faltas(), a = aviso.advertencias();
  out(QStringLiteral("%1 %2, %3 %4.")
                 .arg(f)
                 .arg(f == 1 ? QStringLiteral("falta") : QStringLiteral("faltas"))
                 .arg(a)
                 .arg(a == 1 ? QStringLiteral("advertencia") : QStringLiteral("advertencias")));
}

QStringList informeRevision(const AvisoLeido& aviso) {
  QStringList out;
  informeRevision(aviso, [&out](const QString& l) { out.append(l); });
  return out;
}
