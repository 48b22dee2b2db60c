#pragma once

#include <QString>
#include <QStringList>

namespace quelmaro {

// A statement whose named parameters (":ID", ":FACT_ID") became positional ones ("?"), so that values are
// always bound and never pasted into the text.
struct PositionalStatement {
    QString sql;
    QStringList parameterNames; // one per "?", in order; a name used twice appears twice
};

// Replaces every ":NAME" outside quoted texts, quoted identifiers and comments by "?".
PositionalStatement toPositional(const QString& sql);

} // namespace quelmaro
