// Writes the application's icon as a PNG file, for the desktop entry.
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "ui/Pictures.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUT.png SIZE\n", argv[0]);
    return 2;
  }
  const int size = std::atoi(argv[2]);
  if (size < 16 || size > 1024 ||
      !wakorin::ui::AppIcon(size).save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
