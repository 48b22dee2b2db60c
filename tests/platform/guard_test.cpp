#include "platform/guard.h"

#include "data/types/errors.h"
#include "platform/recording_messages.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace quelmaro;

namespace {

struct Reported {
    QStringList texts;
    platform::UnhandledErrorScope scope{[this](const std::exception& error) { texts << error.what(); }};
};

TEST(Guard, EscapingErrorsGoToTheInstalledHandler) {
    Reported reported;
    EXPECT_TRUE(platform::guarded([] {}));
    EXPECT_FALSE(platform::guarded([] { throw ConversionError("'x' no es una fecha válida"); }));
    EXPECT_FALSE(platform::guarded([] { throw 42; }));
    EXPECT_EQ(reported.texts, QStringList({"'x' no es una fecha válida", "Error desconocido"}));
}

TEST(Guard, AbortIsSilent) {
    Reported reported;
    bool after = false;
    EXPECT_FALSE(platform::guarded([&] {
        throw OperationAborted();
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_TRUE(reported.texts.isEmpty());
}

TEST(Guard, ScopesNestAndRestore) {
    Reported outer;
    {
        Reported inner;
        platform::guarded([] { throw std::runtime_error("dentro"); });
        EXPECT_EQ(inner.texts, QStringList{"dentro"});
    }
    platform::guarded([] { throw std::runtime_error("fuera"); });
    EXPECT_EQ(outer.texts, QStringList{"fuera"});
}

TEST(Guard, WithoutHandlerTheOperatorStillSeesTheError) {
    platform::ScopedRecording recording;
    platform::guarded([] { throw std::runtime_error("sin manejador"); });
    EXPECT_EQ(recording.recorded(),
              QList<platform::RecordedMessage>({{platform::MessageKind::Error, "sin manejador"}}));
}

} // namespace
