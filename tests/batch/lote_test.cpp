// aviso-lote: arguments, help, its prompter and the cliente command.
#include <QFile>
#include <QFileInfo>

#include "apoyo.h"
#include "batch/prompter_lote.h"

TEST_F(LoteTest, AyudaEnEspanolYArgumentosEquivocados) {
  Corrida c = correr({QStringLiteral("--ayuda")}, true);
  EXPECT_EQ(c.estado, lote::kHecho);
  EXPECT_TRUE(c.errores.isEmpty());
  for (const char* t : {"Uso:", "cliente", "importar", "generar", "--carpeta DIR", "--orden", "--tipo", "--datos",
                        "--trabajo", "--entrega", "--hora", "--aviso", "Estado de salida:"})
    EXPECT_TRUE(c.salida.contains(Q(t))) << t;
  EXPECT_EQ(correr({QStringLiteral("-h")}, true).salida, c.salida);

  struct Caso {
    QStringList args;
    const char* mensaje;
  } casos[] = {
      {{}, "aviso-lote: Falta el comando: cliente, importar, generar, etiquetas, lista o revisar"},
      {{QStringLiteral("borrar")}, "aviso-lote: Comando desconocido: borrar"},
      {{QStringLiteral("cliente"), QStringLiteral("--nombre"), QStringLiteral("x")}, "aviso-lote: Opción desconocida: --nombre"},
      {{QStringLiteral("cliente"), QStringLiteral("--cliente")}, "aviso-lote: Falta el valor de la opción --cliente"},
      {{QStringLiteral("cliente"), QStringLiteral("--hora"), QStringLiteral("09:00")},
       "aviso-lote: La opción --hora no es del comando cliente"},
      {{QStringLiteral("cliente"), QStringLiteral("--rfc"), QStringLiteral("A"), QStringLiteral("--rfc=B")},
       "aviso-lote: La opción --rfc se dio más de una vez"},
      {{QStringLiteral("cliente"), QStringLiteral("sobra")}, "aviso-lote: cliente: sobran argumentos: sobra"},
      {{QStringLiteral("--hoy"), QStringLiteral("31/02/2026"), QStringLiteral("cliente")},
       "aviso-lote: --hoy \"31/02/2026\" no es una fecha DD/MM/AAAA"},
      {{QStringLiteral("--carpeta"), dir.filePath(QStringLiteral("no-existe")), QStringLiteral("cliente")},
       "aviso-lote: La carpeta del programa no existe: "},
      {{QStringLiteral("importar"), QStringLiteral("--respuesta"), QStringLiteral("quizá")},
       "aviso-lote: --respuesta \"quizá\": se espera si, no o cancelar"},
  };
  for (const Caso& k : casos) {
    const Corrida r = correr(k.args, true);
    EXPECT_EQ(r.estado, lote::kError) << str(k.args);
    ASSERT_EQ(r.errores.size(), 1) << str(r.errores);
    EXPECT_TRUE(r.errores[0].startsWith(Q(k.mensaje))) << str(r.errores);
    EXPECT_TRUE(r.errores[0].endsWith(Q(" (aviso-lote --ayuda explica el uso)"))) << str(r.errores);
  }
  // Nothing ran: no settings file and no log were made in the folder.
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("dudizod.ini"))));
  EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("Log"))));
}

TEST(PrompterLote, MensajesEnUnRenglonYPreguntasContestadas) {
  QString e;
  QTextStream s(&e);
  PrompterLote p(s);
  EXPECT_EQ(p.mostrar({Q("Falta Información de:\r\nFACTURA\r\nEn el renglón:  2"), Q("Datos Incompletos")}),
            Respuesta::Ok);
  EXPECT_EQ(p.mostrar({Q("uno\ndos\rtres\r\n"), Q("Aviso"), Icono::Critico}), Respuesta::Ok);
  // Questions: the answers given, in order, when they fit; otherwise the harmless one.
  p.respuestas = {Respuesta::Si, Respuesta::Cancelar};
  EXPECT_EQ(p.mostrar({Q("¿Guardar?"), Q("DUDIZOD"), Icono::Pregunta, Botones::SiNo}), Respuesta::Si);
  EXPECT_EQ(p.mostrar({Q("¿Otra?"), Q("DUDIZOD"), Icono::Pregunta, Botones::SiNo}), Respuesta::No);
  EXPECT_EQ(p.mostrar({Q("¿Y esta?"), Q("DUDIZOD"), Icono::Pregunta, Botones::SiNoCancelar}), Respuesta::Cancelar);
  EXPECT_EQ(p.mostrar({Q("¿Fin?"), Q("DUDIZOD"), Icono::Pregunta, Botones::SiNoCancelar}), Respuesta::Cancelar);
  s.flush();
  EXPECT_EQ(e, Q("Datos Incompletos: Falta Información de: / FACTURA / En el renglón:  2\n"
                 "Aviso: uno / dos / tres\n"
                 "DUDIZOD: ¿Guardar?\nDUDIZOD: ¿Otra?\nDUDIZOD: ¿Y esta?\nDUDIZOD: ¿Fin?\n"));

  // File dialogs take the paths in order, made absolute; none left is a cancelled dialog.
  p.archivosAbrir = {Q("pedidos.inf")};
  EXPECT_EQ(p.abrirArchivo({}), QFileInfo(Q("pedidos.inf")).absoluteFilePath());
  EXPECT_EQ(p.abrirArchivo({}), QString());
  EXPECT_EQ(p.guardarArchivo({}), QString());
}

TEST_F(LoteTest, ClienteGuardaLosDatosComoElDialogo) {
  Corrida c = correr({QStringLiteral("cliente"), QStringLiteral("--cliente"), QStringLiteral("1234"),
                      QStringLiteral("--proveedor"), QStringLiteral("45678"), QStringLiteral("--rfc"),
                      QStringLiteral("abcd010101-ab1")});
  EXPECT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_TRUE(c.errores.isEmpty()) << str(c.errores);
  ASSERT_TRUE(QFileInfo::exists(en(QStringLiteral("info.cfg"))));
  recargar();
  EXPECT_EQ(ws->vaSpread2.text(2, 2), Q("1234"));
  EXPECT_EQ(ws->vaSpread2.text(2, 14), Q("45678"));
  EXPECT_EQ(ws->vaSpread2.text(2, 16), Q("ABCD010101-AB1"));  // the RFC box types capitals
  // The dialog's own log lines, as in the window.
  EXPECT_TRUE(textosLog().contains(Q("FORM5-----ENTRO AL EVENTO-----aceptar_Click"))) << str(textosLog());

  // An option not given keeps the stored value.
  c = correr({QStringLiteral("cliente"), QStringLiteral("--proveedor"), QStringLiteral("99")});
  EXPECT_EQ(c.estado, lote::kHecho) << str(c.errores);
  recargar();
  EXPECT_EQ(ws->vaSpread2.text(2, 2), Q("1234"));
  EXPECT_EQ(ws->vaSpread2.text(2, 14), Q("99"));
  EXPECT_EQ(ws->vaSpread2.text(2, 16), Q("ABCD010101-AB1"));
}

TEST_F(LoteTest, ClienteRehusadoNoEscribeNada) {
  struct Caso {
    QStringList args;
    int estado;
    const char* mensaje;
  } casos[] = {
      // The dialog's checks, in their order, with the dialog's texts.
      {{QStringLiteral("--proveedor"), QStringLiteral("45678"), QStringLiteral("--rfc"), QStringLiteral("ABCD010101-AB1")},
       lote::kRehusado, "Datos Incompletos: Falta el número de Cliente"},
      {{QStringLiteral("--cliente"), QStringLiteral("123"), QStringLiteral("--proveedor"), QStringLiteral("4")},
       lote::kRehusado, "Datos Incorrectos: El número de cliente debe ser de cuatro caracteres numéricos"},
      {{QStringLiteral("--cliente"), QStringLiteral("1234"), QStringLiteral("--rfc"), QStringLiteral("ABCD010101-AB1")},
       lote::kRehusado, "Datos Incompletos: Falta el número de proveedor"},
      {{QStringLiteral("--cliente"), QStringLiteral("1234"), QStringLiteral("--proveedor"), QStringLiteral("4")},
       lote::kRehusado, "Datos Incompletos: Falta el RFC"},
      {{QStringLiteral("--cliente"), QStringLiteral("1234"), QStringLiteral("--proveedor"), QStringLiteral("4"),
        QStringLiteral("--rfc"), QStringLiteral("ABC")},
       lote::kRehusado, "Aviso: Faltan caracteres en el campo de RFC"},
      // What the boxes would not take as typed: wrong arguments, not a value cut short.
      {{QStringLiteral("--cliente"), QStringLiteral("12a4")}, lote::kError,
       "aviso-lote: --cliente: el número de cliente \"12a4\" no se puede teclear así"},
      {{QStringLiteral("--cliente"), QStringLiteral("123456")}, lote::kError,
       "aviso-lote: --cliente: el número de cliente \"123456\" no se puede teclear así"},
      {{QStringLiteral("--cliente"), QStringLiteral("1234"), QStringLiteral("--proveedor"), QStringLiteral("45.6")},
       lote::kError, "aviso-lote: --proveedor: el número de proveedor \"45.6\" no se puede teclear así"},
  };
  for (const Caso& k : casos) {
    const Corrida c = correr(QStringList{QStringLiteral("cliente")} + k.args);
    EXPECT_EQ(c.estado, k.estado) << str(k.args);
    ASSERT_EQ(c.errores.size(), 1) << str(c.errores);
    EXPECT_TRUE(c.errores[0].startsWith(Q(k.mensaje))) << str(c.errores);
    EXPECT_FALSE(QFileInfo::exists(en(QStringLiteral("info.cfg")))) << str(k.args);
  }
}

TEST_F(LoteTest, ClienteSinPoderEscribirInfoCfgEsUnError) {
  // info.cfg is a folder here, so the settings cannot be written whatever the user's rights.
  ASSERT_TRUE(QDir(carpeta()).mkdir(QStringLiteral("info.cfg")));
  const Corrida c = clienteDelEjemplo();
  EXPECT_EQ(c.estado, lote::kError);
  ASSERT_FALSE(c.errores.isEmpty());
  EXPECT_TRUE(c.errores.last().startsWith(Q("Aviso Importante: No se pudo guardar el archivo de configuración info.cfg:")))
      << str(c.errores);
}

TEST_F(LoteTest, UnRegistroQueNoSePuedeEscribirSeDiceUnaVezConLosRenglonesPerdidos) {
  // A second run over the settings files of a first gives the number of lines the command logs.
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  const qsizetype antes = lineasLog().size();
  ASSERT_EQ(clienteDelEjemplo().estado, lote::kHecho);
  const qsizetype lineas = lineasLog().size() - antes;
  ASSERT_GT(lineas, 10);
  // "Log" is a file now, so no log line can be written.
  ASSERT_TRUE(QDir(en(QStringLiteral("Log"))).removeRecursively());
  escribir(QStringLiteral("Log"), QByteArray());
  const Corrida c = clienteDelEjemplo();
  // The settings were saved: the command did its work.
  EXPECT_EQ(c.estado, lote::kHecho) << str(c.errores);
  EXPECT_TRUE(QFileInfo::exists(en(QStringLiteral("info.cfg"))));
  EXPECT_EQ(c.errores, QStringList({Q("Aviso Importante: Error al generar el archivo Log"),
                                    Q("aviso-lote: %1 renglones del registro no se pudieron escribir").arg(lineas)}));
}
