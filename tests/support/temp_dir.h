#pragma once

#include <QString>
#include <QTemporaryDir>

namespace quelmaro::test {

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace quelmaro::test
