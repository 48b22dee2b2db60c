#pragma once

#include <QObject>

class QLineEdit;

namespace quelmaro::shell {

// The range of points of sale as two fields that take digits only. When the focus leaves the pair with a
// last point below the first, the field just left refuses it with a message and takes the focus back, as
// a date field refuses a date that does not exist.
class PointRangeFields : public QObject {
public:
    PointRangeFields(QLineEdit& first, QLineEdit& last, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkLeft(QLineEdit& left);

    QLineEdit& first_;
    QLineEdit& last_;
};

} // namespace quelmaro::shell
