// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/AppIcon.h"

#include <QSize>
#include <QString>

QIcon BrisalooIcon() {
    // The icons are compiled into a static library: naming the resource here
    // makes the linker keep it in every program that asks for the icon.
    Q_INIT_RESOURCE(brisaloo);
    QIcon icon;
    for (const int nSize : kIconSizes)
        icon.addFile(QStringLiteral(":/icons/brisaloo-%1.png").arg(nSize), QSize(nSize, nSize));
    return icon;
}
