#include "about_text.h"

#include <QStringList>

QString AboutTitle() {
    return QStringLiteral("关于 Orsela");
}

QString AboutText() {
    const QStringList lines = {
        QStringLiteral("Orsela    属于Quorlan自定义函数系列程序"),
        QString(),
        QStringLiteral("版权所有 (C) Orsela 开发组"),
        QString(),
        QStringLiteral("所有者声明："),
        QStringLiteral("  Orsela 所提供的数据仅供各位参考。"),
        QStringLiteral("  欢迎大家在使用过程中多提意见，有不当之处请及时提出。"),
        QStringLiteral("  联系邮箱: orsela-dev@example.org"),
        QStringLiteral(
            "  同时特别感谢曾经给“Quorlan自定义函数系列程序”提出中肯改进意见的各位同仁。"),
    };
    return lines.join(QStringLiteral("\r\n"));
}
