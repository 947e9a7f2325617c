#include "envio/registros.h"

#include <gtest/gtest.h>

namespace {

using namespace registro;

// The padding rules as the fields apply them.
TEST(RecordTables, FieldsPadByTheirRule) {
  struct Caso {
    const Registro& r;
    int campo;
    const char* valor;
    const char* escrito;
  } casos[] = {{HD(), hd::kEnvio, "7", "0007"},          {HD(), hd::kEnvio, "123456", "123456"},
               {HD(), hd::kProveedor, "12.3-4", "12 3 4    "}, {HD(), hd::kPedido, "1-2", "      1 2"},
               {HD(), hd::kFactura, "F-100", "F 100        "},  {DT(), dt::kBarras, "", "             "},
               {DT(), dt::kSku, "1234567", "01234567  "},      {DT(), dt::kSku, "123456789", "123456789"},
               {DT(), dt::kModelo, "", "                    "}, {DT(), dt::kModelo, "A/B", "A B                 "},
               {DT(), dt::kTalla, "", ""},                      {DT(), dt::kTalla, "10/5", "10/5      "},
               {CN(), cn::kTienda, "123", "00123"},             {CN(), cn::kContenedor, "A12345678 ", "A12345678 "}};
  for (const Caso& c : casos)
    EXPECT_EQ(rellenar(c.r.campos[static_cast<size_t>(c.campo)], QString::fromUtf8(c.valor)),
              QString::fromUtf8(c.escrito))
        << c.valor;
}

}  // namespace
