#include "KorvaleArtwork.h"

#include <QtCore/qglobal.h>

void InitKorvaleArtwork()
{
    Q_INIT_RESOURCE(artwork);
}
