// aviso-lote's prompter: every message on one line of standard error; a
// question takes the next answer given that fits it, otherwise the harmless one.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "batch/prompter_lote.h"
#include "fixture.h"

TEST(PrompterLote, MensajesEnUnRenglonYPreguntasContestadas) {
  QString e;
  QTextStream s(&e);
  PrompterLote p(s);
  p.respuestas = {Respuesta::Si, Respuesta::Cancelar, Respuesta::Ok};
  const struct {
    Botones botones;
    Respuesta esperada;
  } preguntas[] = {{Botones::Ok, Respuesta::Ok},        {Botones::SiNo, Respuesta::Si},
                   {Botones::SiNo, Respuesta::No},      {Botones::SiNoCancelar, Respuesta::Cancelar},
                   {Botones::OkCancelar, Respuesta::Ok}, {Botones::OkCancelar, Respuesta::Cancelar},
                   {Botones::SiNoCancelar, Respuesta::Cancelar}};
  for (const auto& q : preguntas)
    EXPECT_EQ(p.mostrar({Q("uno\ndos\rtres\r\n"), Q("DUDIZOD"), Icono::Pregunta, q.botones}), q.esperada);
  s.flush();
  EXPECT_EQ(e, Q("DUDIZOD: uno / dos / tres\n").repeated(7));
  // File dialogs take the paths in order, made absolute; none left is a cancelled dialog.
  p.archivosAbrir = {Q("pedidos.inf")};
  EXPECT_EQ(p.abrirArchivo({}), QFileInfo(Q("pedidos.inf")).absoluteFilePath());
  EXPECT_EQ(p.abrirArchivo({}), QString());
  EXPECT_EQ(p.guardarArchivo({}), QString());
}
