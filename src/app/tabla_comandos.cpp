#include "app/tabla_comandos.h"

#include <QRegularExpression>
#include <map>

#include "app/comandos.h"
#include "app/mainwindow.h"
#include "app/modo_empaque.h"
#include "client/conexion_ftp.h"
#include "client/form5.h"
#include "documents/document_commands.h"
#include "documents/empaque_documentos.h"
#include "documents/notice_review.h"
#include "editing/detail_rules.h"
#include "editing/row_commands.h"
#include "editing/splitting.h"
#include "intake/inf_import.h"
#include "intake/tab_import.h"
#include "notice/envio_aviso.h"
#include "notice/output.h"
#include "workfile/workfile.h"
#include "workspace/workspace.h"

namespace {

using Lugar = FilaComando::Lugar;
using Modo = FilaComando::Modo;

// A row written in a line: the place, the names, then what it has.
struct Fila {
  FilaComando f;
  Fila(Lugar lugar, const char* padre, const char* nombre, const char* texto = "") {
    f.lugar = lugar;
    f.padre = QString::fromUtf8(padre);
    f.nombre = QString::fromUtf8(nombre);
    f.texto = QString::fromUtf8(texto);
  }
  Fila& atajo(const QKeySequence& k) { f.atajos.append(k); return *this; }
  Fila& hace(Resultado (*p)(Workspace&)) { f.manejador = p; return *this; }
  Fila& hace(std::function<Resultado(MainWindow&)> v) { f.enVentana = std::move(v); return *this; }
  Fila& que(const char* q) { f.que = QString::fromUtf8(q); return *this; }
  Fila& tip(const char* t) { f.tip = QString::fromUtf8(t); return *this; }
  Fila& imagen(const char* i) { f.imagen = QString::fromUtf8(i); return *this; }
  Fila& vista() { f.modo = Modo::Vista; return *this; }
  Fila& cierre() { f.modo = Modo::Cierre; return *this; }
  Fila& reemplaza() { f.reemplaza = true; return *this; }
  Fila& siempreConTecla() { f.siempreConTecla = true; return *this; }
  Fila& soloEnFoco() { f.soloEnFoco = true; return *this; }
  Fila& abiertoCon(const char* c) { f.abiertoCon = QString::fromUtf8(c); return *this; }
  Fila& guia(int lugar, const char* g, const char* teclas = "") {
    f.enGuia = lugar;
    f.guia = QString::fromUtf8(g);
    f.teclasGuia = QString::fromUtf8(teclas);
    return *this;
  }
  operator FilaComando() const { return f; }  // NOLINT: rows read as a list
};

Fila menu(const char* padre, const char* nombre, const char* texto) { return {Lugar::Menu, padre, nombre, texto}; }
Fila item(const char* padre, const char* nombre, const char* texto) { return {Lugar::Item, padre, nombre, texto}; }
Fila separador(const char* padre, const char* nombre) { return {Lugar::Separador, padre, nombre, "-"}; }
// A tool-bar image, its picture from the resources under its own name.
Fila imagen(const char* nombre, const char* tip) {
  Fila f{Lugar::Imagen, "", nombre};
  f.f.tip = QString::fromUtf8(tip);
  f.f.texto = f.f.tip.trimmed();
  f.f.imagen = QStringLiteral(":/iconos/") + f.f.nombre + QStringLiteral(".png");
  return f;
}
Fila boton(const char* nombre, const char* texto, const char* tip = "") {
  return Fila{Lugar::Boton, "filaBotones", nombre, texto}.tip(tip).abiertoCon("archivo");
}
Fila tecla(const char* nombre) { return {Lugar::Tecla, "", nombre}; }

QKeySequence ctrl(Qt::Key k) { return QKeySequence(Qt::CTRL | k); }

std::vector<FilaComando> filas() {
  const char* kAyudaServidor = "Subir información al servidor via FTP";
  return {
      menu("", "archivo", "&Archivo"),
      item("archivo", "nuevaforma", "&Nuevo").atajo(ctrl(Qt::Key_N)).hace(nuevaforma_Click).que("nuevo").reemplaza()
          .guia(1, "Nuevo"),
      item("archivo", "abrirarchiv", "&Abrir").atajo(ctrl(Qt::Key_O)).hace(abrirarchiv_Click).que("abrir").reemplaza()
          .guia(2, "Abrir"),
      menu("archivo", "importararchivo", "&Importar"),
      item("importararchivo", "importararchiv", "Archivo &INF").atajo(ctrl(Qt::Key_I)).hace(importararchiv_Click)
          .que("importar").reemplaza().guia(3, "Importar > Archivo INF"),
      item("importararchivo", "arrch_tabulador", "Archivo delimitado por &Tabuladores").hace(arrch_tabulador_Click)
          .que("importar").reemplaza(),
      item("archivo", "arch_env", "&Crear archivo a enviar").atajo(ctrl(Qt::Key_E)).hace(arch_env_Click)
          .que("crear archivo a enviar").guia(7, "Crear archivo a enviar"),
      item("archivo", "etiquetas", "E&tiquetas de contenedor...").hace(etiquetas_Click).que("etiquetas"),
      item("archivo", "listaempaque", "&Lista de empaque...").hace(listaempaque_Click).que("lista de empaque"),
      item("archivo", "revisaraviso", "&Revisar aviso...").hace(revisaraviso_Click).que("revisar aviso"),
      // Guardar: once there is a work file it is written again without asking.
      item("archivo", "guardar_actual", "Guar&dar").atajo(ctrl(Qt::Key_S))
          .hace([](MainWindow& v) { return v.guardarActual(); }).que("guardar").guia(4, "Archivo > Guardar"),
      item("archivo", "guardararchiv", "&Guardar como ...").hace(guardararchiv_Click).que("guardar"),
      item("archivo", "recuperar", "Rec&uperar trabajo...").hace([](MainWindow& v) { return v.recuperarTrabajo(); })
          .que("recuperar trabajo"),
      separador("archivo", "separación1"),
      item("archivo", "enviararchiv", "&Enviar").hace(enviararchiv_Click).que("enviar"),
      item("archivo", "historialenvios", "&Historial de envíos").hace(historialenvios_Click),
      separador("archivo", "separación2"),
      Fila{Lugar::Recientes, "archivo", "recientes"}.que("abrir").reemplaza(),
      separador("archivo", "separación3"),
      // Salir ends at once, without a question.
      item("archivo", "saliraplic", "&Salir").hace([](MainWindow& v) { return v.salirAhora(); }).cierre(),

      menu("", "editar", "&Editar"),
      item("editar", "deshacer", "&Deshacer").atajo(ctrl(Qt::Key_Z)).hace(deshacer_Click).siempreConTecla()
          .guia(5, "Editar > Deshacer"),
      item("editar", "rehacer", "&Rehacer").atajo(ctrl(Qt::Key_Y)).atajo(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
          .hace(rehacer_Click).siempreConTecla().guia(6, "Editar > Rehacer"),
      separador("editar", "sepDeshacer"),
      // Cut goes to the control that has the focus: a text box cuts its own
      // text, a grid its selection (the one named in cual_grid).
      item("editar", "cortar", "Cor&tar").atajo(QKeySequence::Cut).hace([](MainWindow& v) { return v.cortar(); })
          .que("cortar").vista(),
      // Copiar does nothing of its own, so Ctrl+C is the focused control's:
      // a text box copies its text, a grid its selection. The menu shows the key.
      item("editar", "copiar", "&Copiar").atajo(QKeySequence::Copy).hace(copiar_Click).que("copiar").soloEnFoco(),
      item("editar", "pegar", "&Pegar").atajo(QKeySequence::Paste).hace(pegar_Click).que("pegar"),
      item("editar", "suprimir", "&Suprimir celda").hace(suprimir_Click).que("suprimir celda"),
      item("editar", "eliminar_ren", "&Eliminar renglones").hace(eliminar_ren_Click).que("eliminar renglones"),
      separador("editar", "sep"),
      menu("editar", "separar", "Separar co&ntenedor en"),
      item("separar", "two", "&Dos Renglón").hace(two_Click).que("separar contenedor"),
      item("separar", "three", "&Tres renglones ").hace(three_Click).que("separar contenedor"),
      item("separar", "four", "&Cuatro Renglones").hace(four_Click).que("separar contenedor"),
      item("separar", "five", "C&inco Renglones").hace(five_Click).que("separar contenedor"),
      item("separar", "ten", "Di&ez Renglones").hace(ten_Click).que("separar contenedor"),
      item("separar", "mult_renglones", "&Múltiples renglones").hace(mult_renglones_Click).que("separar contenedor"),
      menu("editar", "duplicar", "D&uplicar renglón"),
      item("duplicar", "uno", "&Un Renglón").hace(uno_Click).que("duplicar renglón"),
      item("duplicar", "dos", "&Dos Renglones").hace(dos_Click).que("duplicar renglón"),
      item("duplicar", "cinco", "&Cinco Renglones").hace(cinco_Click).que("duplicar renglón"),
      item("duplicar", "diez", "Di&ez Renglones").hace(diez_Click).que("duplicar renglón"),
      separador("editar", "separador3"),
      item("editar", "insertar", "&Insertar renglón").hace(insertar_Click).que("insertar renglón"),
      item("editar", "borrar", "&Borrar renglón").hace(borrar_Click).que("borrar renglón"),
      separador("editar", "separador4"),
      item("editar", "buscar", "Busc&ar...").atajo(ctrl(Qt::Key_F)).hace([](MainWindow& v) { return v.abrirBusqueda(); })
          .vista().siempreConTecla().guia(8, "Barra de búsqueda sobre el detalle"),
      item("editar", "marcado", "Siguiente renglón &marcado").atajo(QKeySequence(Qt::Key_F8))
          .hace([](MainWindow& v) { return v.siguienteMarcado(); }).vista().siempreConTecla().guia(13, "Siguiente renglón marcado"),
      // Packing with a barcode reader: the mode on and off, the carton closed,
      // the summary, the end of the mode. A scan is a command of its own,
      // named "escanear CODE" (the scan box sends it).
      separador("editar", "separador5"),
      item("editar", "empacar", "Empacar con &lector").atajo(QKeySequence(Qt::Key_F9))
          .hace([](MainWindow& v) { return v.empaque().alternar(); }).siempreConTecla()
          .guia(14, "Empacar con lector (enciende y apaga el modo)"),
      item("editar", "cerrarcontenedor", "Cerrar c&ontenedor").atajo(QKeySequence(Qt::Key_F10))
          .hace([](MainWindow& v) { return v.empaque().cerrarContenedor(); }).siempreConTecla()
          .guia(15, "Cerrar contenedor (en el modo de empaque)"),
      item("editar", "resumenempaque", "&Ver resumen de empaque").atajo(QKeySequence(Qt::Key_F11))
          .hace(resumenEmpaque_Click).siempreConTecla().guia(16, "Ver resumen de empaque"),
      item("editar", "terminarempaque", "Terminar empa&que").hace([](MainWindow& v) { return v.empaque().terminar(); }),

      menu("", "configaplic", "&Configuración"),
      item("configaplic", "generales", "&Datos Generales").hace(generales_Click).que("datos generales"),
      separador("configaplic", "separador"),
      item("configaplic", "ftp", "&Conexión FTP").hace(ftp_Click),

      menu("", "help", "&?"),
      item("help", "guia", "&Guía del usuario").atajo(QKeySequence(Qt::Key_F1))
          .hace([](MainWindow& v) { return v.mostrarGuia(); }).vista().siempreConTecla().guia(17, "Esta guía"),
      item("help", "acerca", "&Acerca de ...").hace(acerca_Click),

      imagen("b_nuevo", " NUEVO ARCHIVO ").hace(b_nuevo_Click).que("nuevo").reemplaza(),
      imagen("b_abrir", " ABRIR ARCHIVO ").hace(b_abrir_Click).que("abrir").reemplaza(),
      imagen("b_save", " GUARDAR ARCHIVO ").hace(b_save_Click).que("guardar"),
      imagen("b_import", " IMPORTAR ARCHIVO ").hace(b_import_Click).que("importar").reemplaza(),
      imagen("b_enviar", " ENVIAR ").hace(b_enviar_Click).que("enviar"),
      Fila{Lugar::Separador, "", "sepEnviar"},
      imagen("b_cut", " CORTAR ").hace([](MainWindow& v) { return v.cortar(); }).que("cortar").vista(),
      imagen("b_copy", " COPIAR ").hace(b_copy_Click).que("copiar"),
      imagen("b_paste", " PEGAR ").hace(b_paste_Click).que("pegar"),
      // Undo and redo, open whenever the history has a step to take; drawn.
      Fila{Lugar::Imagen, "", "b_deshacer", "Deshacer"}.hace(deshacer_Click),
      Fila{Lugar::Imagen, "", "b_rehacer", "Rehacer"}.hace(rehacer_Click),
      Fila{Lugar::Separador, "", "sepHistorial"},
      imagen("b_separar", " SEPARAR CONTENEDOR ").hace(b_separar_Click).que("separar contenedor"),
      imagen("b_duplicar", "DUPLICAR RENGLÓN").hace(b_duplicar_Click).que("duplicar renglón"),

      // The toolbar and the menus carry the same commands: the row shows
      // only when the preferences ask for it. The button abrir has no
      // action of its own; salir's "Yes" runs guardar's command.
      boton("abrir", "A&brir", "Abrir un archivo previamente guardado"),
      boton("guardar", "&Guardar", "Guardar archivo en el disco").hace(guardar_Click).que("guardar"),
      boton("enviar", "E&nviar", kAyudaServidor).hace(enviar_Click).que("enviar"),
      boton("cancelar", "Cance&lar", kAyudaServidor),
      boton("Importar", "&Importar", kAyudaServidor).hace(Importar_Click).que("importar").reemplaza(),
      // salir stays open: it is the way out.
      Fila{Lugar::Boton, "filaBotones", "salir", "&Salir"}.hace([](MainWindow& v) { return v.salirConPregunta(); }),
      // Eliminar varios rangos, under the header fields.
      Fila{Lugar::Boton, "campos", "Command1", "Eliminar varios rangos"}.hace(Command1_Click).que("eliminar renglones"),

      tecla("siguienteCoincidencia").atajo(QKeySequence(Qt::Key_F3))
          .hace([](MainWindow& v) { return v.buscarOtra(true); }).vista()
          .guia(9, "Siguiente / anterior coincidencia", "F3 / Mayús+F3"),
      tecla("anteriorCoincidencia").atajo(QKeySequence(Qt::SHIFT | Qt::Key_F3))
          .hace([](MainWindow& v) { return v.buscarOtra(false); }).vista(),
      tecla("siguienteZona").atajo(QKeySequence(Qt::Key_F6)).hace([](MainWindow& v) { return v.siguienteZona(); })
          .vista().guia(10, "Pasa entre el detalle, la tabla de órdenes, la fecha y la hora de entrega"),
      Fila{Lugar::Guia, "", "calendario"}.guia(11, "Abre el calendario de la fecha de entrega", "F4, Alt+↓"),
      Fila{Lugar::Guia, "", "imprimir"}.guia(12, "Imprime desde la vista previa", "Ctrl+P"),
  };
}

}  // namespace

const std::vector<FilaComando>& tablaComandos() {
  static const std::vector<FilaComando> t = filas();
  return t;
}

const FilaComando* filaComando(const QString& nombre) {
  static const std::map<QString, const FilaComando*> porNombre = [] {
    std::map<QString, const FilaComando*> m;
    for (const FilaComando& f : tablaComandos()) m.emplace(f.nombre, &f);
    return m;
  }();
  const auto it = porNombre.find(nombre);
  return it == porNombre.end() ? nullptr : it->second;
}

QString teclaEnGuia(const QKeySequence& k) {
  return k.toString(QKeySequence::PortableText).replace(QStringLiteral("Shift"), QStringLiteral("Mayús"));
}

QString teclasDeLaGuia() {
  std::map<int, const FilaComando*> enOrden;
  for (const FilaComando& f : tablaComandos())
    if (f.enGuia > 0) enOrden.emplace(f.enGuia, &f);
  QString t = QStringLiteral("| Tecla | Qué hace |\n|---|---|\n");
  for (const auto& [lugar, f] : enOrden) {
    QStringList teclas;
    for (const QKeySequence& k : f->atajos) teclas.append(teclaEnGuia(k));
    const QString escritas = f->teclasGuia.isEmpty() ? teclas.join(QStringLiteral(", ")) : f->teclasGuia;
    t += QStringLiteral("| ") + escritas + QStringLiteral(" | ") + f->guia + QStringLiteral(" |\n");
  }
  return t;
}

QString guiaConTeclas(const QString& guia) {
  // The table that follows the heading, up to the first line that is no row of it.
  static const QRegularExpression tabla(QStringLiteral("(### Teclas\\n\\n)((?:\\|[^\\n]*\\n)+)"));
  QString t = guia;
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  const QRegularExpressionMatch m = tabla.match(t);
  if (!m.hasMatch()) return guia;
  return t.replace(m.capturedStart(2), m.capturedLength(2), teclasDeLaGuia());
}
