#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/recording_messages.h"
#include "report/preview/preview_form.h"
#include "report/render_preview.h"
#include "report/report_job.h"
#include "report/snapshot.h"
#include "tests/report/report_test_support.h"
#include "tests/report/setup/window_controls.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

// The preview window used with keyboard and mouse as an operator would.
namespace quelmaro {
namespace {

class PreviewForm : public testing::Test {
protected:
    void SetUp() override { form = std::make_unique<TFormMyPreview>(); }

    // Shows the pages as the print run does: the job's store, a normal 615 × 450 window.
    void start(int pages) {
        store = test::samplePageStore(pages);
        form->ReportSystem = &job;
        form->setWindowState(Qt::WindowNoState);
        form->PreviewStream = &store;
        form->StartPreview();
        test::showActive(*form);
    }

    template <typename Widget> Widget* control(const char* name) {
        return test::control<Widget>(*form, name);
    }
    QLineEdit* pageNumber() { return control<QLineEdit>("lblPageNo"); }
    QLineEdit* zoomEdit() { return control<QLineEdit>("ZoomNumberEdit"); }
    QString pageCountText() { return control<QLabel>("Label1")->text(); }
    int page() { return form->RenderPreview->CurrentPage(); }
    double zoom() { return form->RenderPreview->ZoomFactor(); }
    QScrollBar& vertical() { return *control<QScrollArea>("ScrollBox1")->verticalScrollBar(); }
    QScrollBar& horizontal() { return *control<QScrollArea>("ScrollBox1")->horizontalScrollBar(); }
    int viewHeight() { return control<QScrollArea>("ScrollBox1")->viewport()->height(); }

    void click(const char* button) { QTest::mouseClick(control<QAbstractButton>(button), Qt::LeftButton); }
    // A key as the operator presses it: to the control that has the focus.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : form.get();
        QTest::keyClick(focused, Qt::Key(key), modifiers);
    }
    void type(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(),
                            c.toLatin1());
    }
    // Replaces the field's text and leaves it with Tab, as the operator would.
    void typeInto(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        press(Qt::Key_Backspace);
        type(text);
        press(Qt::Key_Tab);
    }

    platform::ScopedRecording messages;
    TReportJob job;
    PageStore store;
    std::unique_ptr<TFormMyPreview> form;
};

struct ToolbarButton {
    const char* name;
    int left;
    QString hint;
};

TEST_F(PreviewForm, CreatedWithTheToolbarPageViewAndStatusBar) {
    const ToolbarButton buttons[] = {
        {"SpeedButton6", 13, QStringLiteral("Abrir reporte guardado")},
        {"SpeedButton7", 45, QStringLiteral("Imprimir reporte")},
        {"SpeedButton1", 96, QStringLiteral("Primera página")},
        {"SpeedButton2", 120, QStringLiteral("Página anterior")},
        {"SpeedButton3", 144, QStringLiteral("Página siguiente")},
        {"SpeedButton4", 168, QStringLiteral("Ultima página")},
        {"SpeedButton8", 325, QStringLiteral("Aumentar zoom")},
        {"SpeedButton9", 349, QStringLiteral("Disminuir zoom")},
    };
    for (const ToolbarButton& expected : buttons) {
        SCOPED_TRACE(expected.name);
        auto* button = control<QToolButton>(expected.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->x(), expected.left);
        EXPECT_EQ(button->size(), QSize(20, 20));
        EXPECT_EQ(button->toolTip(), expected.hint);
        EXPECT_FALSE(button->icon().isNull());
    }
    auto* close = control<QPushButton>("BtnClose");
    // Right after the zoom, with the other controls of the toolbar.
    EXPECT_EQ(close->geometry(), QRect(481, 2, 25, 25));
    EXPECT_EQ(close->toolTip(), QStringLiteral("Cerrar"));
    EXPECT_EQ(pageNumber()->x(), 246);
    EXPECT_EQ(pageNumber()->width(), 27);
    auto* pageLabel = control<QLabel>("PageLabel");
    EXPECT_EQ(pageLabel->text(), QStringLiteral("Pág."));
    EXPECT_LT(pageLabel->geometry().right(), pageNumber()->x());
    EXPECT_EQ(control<QLabel>("Label1")->x(), 280);
    EXPECT_EQ(pageCountText(), QStringLiteral("de "));
    EXPECT_EQ(control<QLabel>("Label3")->x(), 376);
    EXPECT_EQ(control<QLabel>("Label3")->text(), QStringLiteral("Zoom:"));
    EXPECT_EQ(zoomEdit()->x(), 416);
    EXPECT_EQ(zoomEdit()->width(), 49);
    EXPECT_EQ(zoomEdit()->text(), QStringLiteral("100%"));
    EXPECT_EQ(control<QWidget>("ToolbarPanel")->height(), 30);
    EXPECT_TRUE(control<QStatusBar>("sbarMain")->currentMessage().isEmpty());
    EXPECT_EQ(form->RenderPreview->ScrollBox(), control<QScrollArea>("ScrollBox1"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Custom Preview Form"));
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized) << "maximized until the print run says otherwise";
    EXPECT_EQ(form->font().family(), platform::fontFamily(QStringLiteral("Arial")));
    EXPECT_EQ(form->font().pointSize(), 10);
}

// However large the page, the window fits the screen, and it never shrinks below its toolbar.
TEST_F(PreviewForm, OpensWithinTheScreenAndKeepsItsToolbarWhole) {
    start(1);
    EXPECT_TRUE(form->screen()->availableGeometry().contains(form->geometry()));
    form->resize(70, 122);
    EXPECT_GE(form->width(), control<QPushButton>("BtnClose")->geometry().right() + 1);
    EXPECT_GE(form->height(), 240);
}

class StoreScreen : public PreviewForm {};

// On a store's 1280 × 1024 screen the preview opens with the whole width of the page at 100 %, the figures at
// its right edge included; widened, its toolbar stays together.
TEST_F(StoreScreen, PreviewShowsTheWholeWidthOfThePage) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1280, 1024));
    start(1);
    EXPECT_EQ(zoom(), 100.0);
    EXPECT_EQ(horizontal().maximum(), 0);
    EXPECT_GE(control<QScrollArea>("ScrollBox1")->viewport()->width(), 816); // 8.5 inches at 96 dpi
    EXPECT_LE(form->height(), 1024);
    EXPECT_GT(form->height(), 450);
    form->resize(1200, form->height());
    EXPECT_EQ(control<QPushButton>("BtnClose")->x(), 481);
}

TEST_F(PreviewForm, StartShowsPageOneOfTheJobsPages) {
    start(3);
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(pageNumber()->text(), QStringLiteral("1"));
    EXPECT_EQ(pageCountText(), QStringLiteral("de 3"));
    EXPECT_EQ(form->RenderPreview->pageStore(), &store) << "the job's pages are shown, not copied";
    EXPECT_GE(form->width(), 615) << "the job's size, or more for the page";
    EXPECT_FALSE(form->RenderPreview->pageImage().isNull());
}

TEST_F(PreviewForm, StartShowsASnapshotFileWhenOneIsNamed) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("cierre.ndr"));
    saveSnapshot(test::samplePageStore(2), file);
    form->PreviewFile = file;
    start(3);
    EXPECT_EQ(pageCountText(), QStringLiteral("de 2"));
}

// One step of a page walk: what is pressed, and the page shown afterwards.
struct PageStep {
    const char* action; // a button name, or "key:" and the character typed
    int page;
};

TEST_F(PreviewForm, PageButtonsWrapAroundButPageKeysDoNot) {
    start(3);
    const PageStep walk[] = {
        {"SpeedButton2", 3}, {"SpeedButton3", 1}, {"key:p", 1},        {"key:P", 1},
        {"key:n", 2},        {"key:N", 3},        {"key:n", 3},        {"key:N", 3},
        {"SpeedButton3", 1}, {"key:e", 3},        {"key:p", 2},        {"SpeedButton1", 1},
        {"key:E", 3},        {"SpeedButton1", 1}, {"SpeedButton4", 3}, {"SpeedButton2", 2},
        {"SpeedButton2", 1}, {"SpeedButton2", 3},
    };
    for (const PageStep& step : walk) {
        SCOPED_TRACE(step.action);
        const QString action = QString::fromLatin1(step.action);
        if (action.startsWith(QStringLiteral("key:")))
            type(action.mid(4));
        else
            click(step.action);
        EXPECT_EQ(page(), step.page);
        EXPECT_EQ(pageNumber()->text(), QString::number(step.page));
    }
}

TEST_F(PreviewForm, OnePageReportStaysOnPageOne) {
    start(1);
    EXPECT_EQ(pageCountText(), QStringLiteral("de 1"));
    for (const char* button : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"}) {
        click(button);
        EXPECT_EQ(page(), 1) << button;
    }
    type(QStringLiteral("nNpPeE"));
    for (int key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home})
        press(key);
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(pageNumber()->text(), QStringLiteral("1"));
}

struct TypedPage {
    const char* typed;
    int page;
};

TEST_F(PreviewForm, TypedPageNumberIsShownWhenLeavingTheField) {
    start(3);
    const TypedPage cases[] = {{"2", 2}, {"7", 3}, {"0", 1}, {"3", 3}, {"-1", 1}};
    for (const TypedPage& c : cases) {
        SCOPED_TRACE(c.typed);
        typeInto(pageNumber(), QString::fromLatin1(c.typed));
        EXPECT_EQ(page(), c.page);
        EXPECT_EQ(pageNumber()->text(), QString::number(c.page));
    }
    // Enter takes the number as well.
    pageNumber()->setFocus();
    pageNumber()->selectAll();
    type(QStringLiteral("2"));
    press(Qt::Key_Return);
    EXPECT_EQ(page(), 2);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(messages.recorded().isEmpty());
}

TEST_F(PreviewForm, PageNumberThatIsNoNumberGoesToTheProgramsErrorHandlerAndChangesNothing) {
    QStringList reported;
    platform::UnhandledErrorScope handler(
        [&](const std::exception& error) { reported << QString::fromUtf8(error.what()); });
    start(3);
    click("SpeedButton3");
    // "w" and "f" reach the field; other letters never do.
    typeInto(pageNumber(), QStringLiteral("aw"));
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(reported, QStringList{QStringLiteral("'w' no es un número entero válido")});
    typeInto(pageNumber(), QString());
    EXPECT_EQ(reported.size(), 2) << "an empty field is no number either";
    EXPECT_EQ(page(), 2);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(PreviewForm, CharactersOutsideTheAllowedSetAreDiscarded) {
    start(3);
    pageNumber()->setFocus();
    pageNumber()->clear();
    type(QStringLiteral("aXb1z.+"));
    EXPECT_EQ(pageNumber()->text(), QStringLiteral("1.+"));
    EXPECT_TRUE(form->isVisible()) << "an uppercase X does not close the window";
    press(Qt::Key_Backspace);
    EXPECT_EQ(pageNumber()->text(), QStringLiteral("1."));
    press(Qt::Key_Space);
    EXPECT_EQ(pageNumber()->text(), QStringLiteral("1."));
}

TEST_F(PreviewForm, ClosesByButtonEscXOrCloseBox) {
    const std::function<void()> ways[] = {
        [this] { click("BtnClose"); },
        [this] { press(Qt::Key_Escape); },
        [this] { type(QStringLiteral("x")); },
        [this] {
            pageNumber()->setFocus();
            type(QStringLiteral("x"));
        },
        [this] { form->close(); },
    };
    for (const auto& close : ways) {
        form = std::make_unique<TFormMyPreview>();
        start(2);
        close();
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(form->result(), QDialog::Rejected);
    }
    EXPECT_TRUE(messages.recorded().isEmpty()) << "leaving the page field by closing is not typing a page";
}

TEST_F(PreviewForm, ZoomButtonsStepByTenBetweenTenAndTwoHundred) {
    start(1);
    click("SpeedButton8");
    EXPECT_EQ(zoom(), 110);
    EXPECT_EQ(zoomEdit()->text(), QStringLiteral("110%"));
    for (int i = 0; i < 10; ++i)
        click("SpeedButton8");
    EXPECT_EQ(zoom(), 200);
    EXPECT_EQ(zoomEdit()->text(), QStringLiteral("200%"));
    for (int i = 0; i < 25; ++i)
        click("SpeedButton9");
    EXPECT_EQ(zoom(), 10);
    EXPECT_EQ(zoomEdit()->text(), QStringLiteral("10%"));

    typeInto(zoomEdit(), QStringLiteral("15"));
    ASSERT_EQ(zoom(), 15);
    click("SpeedButton9");
    EXPECT_EQ(zoom(), 10) << "from between 10 and 20 the zoom goes to 10";
}

TEST_F(PreviewForm, ZoomDrawsThePageLarger) {
    start(1);
    const QSize natural = form->RenderPreview->pageImage().size();
    click("SpeedButton8");
    click("SpeedButton8");
    const QSize larger = form->RenderPreview->pageImage().size();
    EXPECT_NEAR(double(larger.width()) / natural.width(), 1.2, 0.01);
    EXPECT_EQ(vertical().maximum() + vertical().pageStep(), larger.height())
        << "the scroll range follows the page";

    // A page narrower than the view sits in its middle, not against its left edge.
    for (int i = 0; i < 10; ++i)
        click("SpeedButton9");
    const QWidget& view = *control<QScrollArea>("ScrollBox1")->viewport();
    const QRect sheet = control<QScrollArea>("ScrollBox1")->widget()->geometry();
    ASSERT_LT(sheet.width(), view.width());
    EXPECT_NEAR(sheet.center().x(), view.rect().center().x(), 1);
}

struct TypedZoom {
    const char* typed;
    double zoom;
    const char* shown;
};

TEST_F(PreviewForm, TypedZoomIsLimitedToTenAndOneHundred) {
    start(1);
    const TypedZoom cases[] = {
        {"150", 100, "100%"}, {"5", 10, "10%"},      {"55.555", 55.56, "56%"},
        {"80", 80, "80%"},    {"120.", 100, "100%"},
    };
    for (const TypedZoom& c : cases) {
        SCOPED_TRACE(c.typed);
        typeInto(zoomEdit(), QString::fromLatin1(c.typed));
        EXPECT_DOUBLE_EQ(zoom(), c.zoom);
        EXPECT_EQ(zoomEdit()->text(), QString::fromLatin1(c.shown));
    }
    // Enter applies the typed zoom without leaving the field.
    zoomEdit()->setFocus();
    zoomEdit()->selectAll();
    type(QStringLiteral("40"));
    press(Qt::Key_Enter);
    EXPECT_EQ(zoom(), 40);
    EXPECT_EQ(QApplication::focusWidget(), zoomEdit());
    EXPECT_EQ(zoomEdit()->text(), QStringLiteral("40%")) << "the zoom taken keeps its sign";
    type(QStringLiteral("60"));
    press(Qt::Key_Return);
    EXPECT_EQ(zoom(), 60) << "typed over the zoom shown";
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(messages.recorded().isEmpty());
}

TEST_F(PreviewForm, WheelOnTheZoomStepsByTenWithinItsLimits) {
    start(1);
    const auto turn = [this](int notches) {
        const QPointF inside(5, 5);
        QWheelEvent wheel(inside, zoomEdit()->mapToGlobal(inside), QPoint(), QPoint(0, notches * 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(zoomEdit(), &wheel);
    };
    turn(1);
    EXPECT_EQ(zoom(), 100);
    turn(-2);
    EXPECT_EQ(zoom(), 80);
    EXPECT_EQ(zoomEdit()->text(), QStringLiteral("80%"));
    turn(-10);
    EXPECT_EQ(zoom(), 10);
}

TEST_F(PreviewForm, EmptyZoomIsReportedAndChangesNothing) {
    start(1);
    typeInto(zoomEdit(), QStringLiteral("70"));
    typeInto(zoomEdit(), QString());
    EXPECT_EQ(zoom(), 70);
    ASSERT_EQ(messages.recorded().size(), 1);
    EXPECT_EQ(messages.recorded().front().kind, platform::MessageKind::Error);
}

TEST_F(PreviewForm, PageKeysScrollThePageAndTurnItAtItsEnds) {
    start(3);
    // A view less than half the page's height.
    form->resize(615, 450);
    ASSERT_TRUE(QTest::qWaitFor([&] { return viewHeight() < 450; }));
    const int height = viewHeight();
    const int bottom = vertical().maximum();
    ASSERT_GT(bottom, height) << "the page must be taller than two views";

    press(Qt::Key_PageDown);
    EXPECT_EQ(vertical().value(), height);
    press(Qt::Key_PageUp);
    EXPECT_EQ(vertical().value(), 0);
    press(Qt::Key_PageUp);
    EXPECT_EQ(page(), 1) << "page 1's top is the report's top";
    press(Qt::Key_End);
    EXPECT_EQ(vertical().value(), bottom);
    press(Qt::Key_PageDown);
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(vertical().value(), 0);
    press(Qt::Key_PageUp);
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(vertical().value(), bottom) << "the previous page shows its bottom";
    press(Qt::Key_Home);
    EXPECT_EQ(vertical().value(), 0);

    press(Qt::Key_Down);
    EXPECT_EQ(vertical().value(), vertical().singleStep());
    press(Qt::Key_Up);
    EXPECT_EQ(vertical().value(), 0);
    press(Qt::Key_Up);
    EXPECT_EQ(page(), 1);
    press(Qt::Key_End);
    press(Qt::Key_Down);
    EXPECT_EQ(page(), 2);
    EXPECT_EQ(vertical().value(), 0);
    press(Qt::Key_Up);
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(vertical().value(), bottom);

    // Ctrl alone acts as no modifier; Shift does not.
    press(Qt::Key_Home);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(vertical().value(), height);
    press(Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(vertical().value(), height);

    // On the last page PageDown and Down stop at its bottom.
    click("SpeedButton4");
    press(Qt::Key_End);
    press(Qt::Key_PageDown);
    press(Qt::Key_Down);
    EXPECT_EQ(page(), 3);
    EXPECT_EQ(vertical().value(), bottom);
}

TEST_F(PreviewForm, CtrlArrowsScrollAcrossAndPlainArrowsMoveTheCursor) {
    start(1);
    click("SpeedButton8");
    click("SpeedButton8");
    const int width = control<QScrollArea>("ScrollBox1")->viewport()->width();
    ASSERT_GT(horizontal().maximum(), 0);
    press(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(horizontal().value(), horizontal().singleStep());
    press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(horizontal().value(), 0);
    press(Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(horizontal().value(), 0);
    press(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(horizontal().value(), std::min(width, horizontal().maximum()));
    press(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    press(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(horizontal().value(), horizontal().maximum());

    pageNumber()->setFocus();
    pageNumber()->setCursorPosition(1);
    const int across = horizontal().value();
    press(Qt::Key_Left);
    EXPECT_EQ(pageNumber()->cursorPosition(), 0);
    EXPECT_EQ(horizontal().value(), across);
}

TEST_F(PreviewForm, OpeningASnapshotShowsItsPagesAndNamesItInTheCaption) {
    QGuiApplication::setApplicationName(QStringLiteral("Resumen de ventas"));
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("cierre 2020.ndr"));
    saveSnapshot(test::samplePageStore(2), file);
    start(3);
    click("SpeedButton3");

    messages.answerCancel(platform::DialogKind::OpenFile);
    click("SpeedButton6");
    EXPECT_EQ(pageCountText(), QStringLiteral("de 3"));
    const auto& request = std::get<platform::OpenFileRequest>(messages.dialogs().front());
    EXPECT_EQ(request.filter,
              (platform::FileFilter{QStringLiteral("Vista previa de reportes"), QStringLiteral("*.ndr")}));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("ndr"));

    messages.answerOpenFile(file);
    click("SpeedButton6");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Resumen de ventas - [ cierre 2020.ndr ]"));
    EXPECT_EQ(pageCountText(), QStringLiteral("de 2"));
    EXPECT_EQ(page(), 1);
    EXPECT_EQ(pageNumber()->text(), QStringLiteral("1"));
    EXPECT_EQ(store.pageCount(), 3) << "the job's pages stay the job's";
    EXPECT_TRUE(messages.recorded().isEmpty());
}

struct BadFile {
    const char* name;
    QByteArray bytes;
};

TEST_F(PreviewForm, AFileThatIsNoSnapshotIsReportedAndThePagesShownStay) {
    QGuiApplication::setApplicationName(QStringLiteral("Resumen de ventas"));
    const QByteArray good = encodeSnapshot(test::samplePageStore(2));
    const BadFile files[] = {
        {"vacio.ndr", QByteArray()},
        {"texto.ndr", QByteArray("RESUMEN DIARIO,1,2,3\r\n")},
        {"cortado.ndr", good.left(good.size() / 2)},
    };
    QTemporaryDir folder;
    start(3);
    click("SpeedButton4");
    for (const BadFile& bad : files) {
        SCOPED_TRACE(bad.name);
        QFile file(folder.filePath(QLatin1String(bad.name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bad.bytes);
        file.close();
        messages.answerOpenFile(file.fileName());
        click("SpeedButton6");
        ASSERT_FALSE(messages.recorded().isEmpty());
        EXPECT_EQ(messages.recorded().back(),
                  (platform::RecordedMessage{platform::MessageKind::Error,
                                             QStringLiteral("Unexpected code found in report file.")}));
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Custom Preview Form"));
        EXPECT_EQ(pageCountText(), QStringLiteral("de 3"));
        EXPECT_EQ(page(), 3);
    }
}

} // namespace
} // namespace quelmaro
