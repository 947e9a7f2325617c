// The upload of a notice of 5,000 and 50,000 lines to sshd and vsftpd on
// 127.0.0.1 (servers as the tests start them): milliseconds per send, the
// lowest of three, and the rate. Run as root (the servers log in a user the
// bench creates).
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "servidores.h"
#include "subida/servidores.h"
#include "subida/subida.h"

using namespace servidores;

namespace {

// A notice of `lineas` detail lines of the record's width.
QByteArray aviso(int lineas) {
  QByteArray b;
  for (int i = 0; i < lineas; ++i)
    b += "DT " + QByteArray::number(750100000000LL + i) + "UPC01234567  AB 12               M         AZUL"
         "                0000002400PZ 000001\r\n";
  return b;
}

double medir(Protocolo p, int puerto, const QString& huella, const QString& archivo, CarpetaRemota& remota,
             const QString& programa) {
  double mejor = 1e12;
  for (int vez = 0; vez < 3; ++vez) {
    PedidoSubida pedido;
    pedido.carpetaPrograma = programa;
    pedido.conexion.protocolo = p;
    pedido.conexion.servidor = QStringLiteral("127.0.0.1");
    pedido.conexion.puerto = puerto;
    pedido.conexion.usuario = kUsuario;
    pedido.conexion.carpeta = remota.relativa();
    pedido.clave = kClave;
    pedido.archivo = archivo;
    pedido.aceptarHuella = huella;
    pedido.nombreRemoto =
        QStringLiteral("banco_%1_%2_%3.txt").arg(nombreProtocolo(p), QFileInfo(archivo).baseName()).arg(vez);
    QElapsedTimer t;
    t.start();
    const ResultadoSubida r = subir(pedido);
    const double ms = t.nsecsElapsed() / 1e6;
    if (!r.hecho()) {
      std::fprintf(stderr, "falló: %s\n", qPrintable(r.mensaje));
      return -1;
    }
    mejor = std::min(mejor, ms);
  }
  return mejor;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir programa;
  CarpetaRemota remota;
  ServidorSftp sftp;
  ServidorFtps ftps(false);
  std::printf("| protocolo | líneas | bytes | ms (mínimo de 3) | MB/s |\n|---|---:|---:|---:|---:|\n");
  for (int lineas : {5000, 50000}) {
    const QString archivo = programa.filePath(QStringLiteral("aviso%1.txt").arg(lineas));
    QFile f(archivo);
    f.open(QIODevice::WriteOnly);
    const QByteArray bytes = aviso(lineas);
    f.write(bytes);
    f.close();
    const struct {
      const char* nombre;
      Protocolo p;
      int puerto;
      QString huella;
    } servidores[] = {{"SFTP", Protocolo::Sftp, sftp.puerto(), sftp.huella()},
                      {"FTPS explícito", Protocolo::FtpsExplicito, ftps.puerto(), ftps.huella()}};
    for (const auto& s : servidores) {
      const double ms = medir(s.p, s.puerto, s.huella, archivo, remota, programa.path());
      std::printf("| %s | %d | %lld | %.1f | %.1f |\n", s.nombre, lineas, static_cast<long long>(bytes.size()), ms,
                  bytes.size() / 1048576.0 / (ms / 1000.0));
    }
  }
  return 0;
}
