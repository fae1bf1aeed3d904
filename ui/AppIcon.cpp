#include "ui/AppIcon.h"

#ifndef TICKWELL_ICON
#define TICKWELL_ICON "tickwell"
#endif
#ifndef TICKWELL_APP_ID
#define TICKWELL_APP_ID "tickwell"
#endif

QString AppIconName() {
    return QStringLiteral(TICKWELL_ICON);
}

QString DesktopEntryName() {
    return QStringLiteral(TICKWELL_APP_ID);
}

QIcon AppIcon() {
    QIcon builtIn;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/appicon/%1x%1/").arg(size) + AppIconName() + ".png",
                        QSize(size, size));
    return QIcon::fromTheme(AppIconName(), builtIn);
}
