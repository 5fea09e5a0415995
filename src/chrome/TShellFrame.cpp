#include "chrome/TShellFrame.h"

#include "chrome/Assets.h"
#include "chrome/RoundOutline.h"
#include "chrome/TFrameImage.h"
#include "platform/HandlerGuard.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace {

// Distances of the caption buttons' left edges from the right edge of panTop.
constexpr int kCloseOffset = 24;
constexpr int kMaxOffset = 41;
constexpr int kMinOffset = 58;
constexpr int kHelpOffset = 75;

QWidget* MakePanel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

TFrameImage* MakeImage(QWidget* parent, const char* name, TFrameImage::Fit fit,
                       const char* picture) {
    auto* image = new TFrameImage(fit, parent);
    image->setObjectName(QString::fromLatin1(name));
    image->SetPicture(Assets::Picture(QString::fromLatin1(picture)));
    return image;
}

QHBoxLayout* MakeRow(QWidget* panel) {
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    return row;
}

// Keeps the caption buttons and title labels in place whenever panTop changes width, whoever
// changed it (the window's resize, a layout pass, a derived window).
class TopBarWatcher : public QObject {
public:
    TopBarWatcher(QObject* parent, std::function<void()> onResize)
        : QObject(parent), onResize_(std::move(onResize)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            onResize_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onResize_;
};

} // namespace

TShellFrame::TShellFrame(QWidget& window, bool fullCaption)
    : window_(window), fullCaption_(fullCaption) {
    BuildControls();
}

TShellFrame::~TShellFrame() = default;

void TShellFrame::BuildControls() {
    window_.setWindowFlag(Qt::FramelessWindowHint, true);

    auto* column = new QVBoxLayout(&window_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    panTop = MakePanel(&window_, "panTop");
    panTop->setFixedHeight(kTopBarHeight);
    auto* top = MakeRow(panTop);
    imaTopL = MakeImage(panTop, "imaTopL", TFrameImage::Fit::Natural, "frameTopL");
    imaTopC = MakeImage(panTop, "imaTopC", TFrameImage::Fit::Stretch, "frameTopC");
    imaTopR = MakeImage(panTop, "imaTopR", TFrameImage::Fit::Natural, "frameTopR");
    top->addWidget(imaTopL, 0, Qt::AlignTop);
    top->addWidget(imaTopC, 1);
    top->addWidget(imaTopR, 0, Qt::AlignTop);
    for (TFrameImage* image : {imaTopL, imaTopC, imaTopR})
        ConnectTitleImage(image);

    Panel3 = MakePanel(&window_, "Panel3");
    auto* middle = MakeRow(Panel3);
    Image7 = MakeImage(Panel3, "Image7", TFrameImage::Fit::Stretch, "frameLeft");
    Image7->setFixedWidth(6);
    panClient = MakePanel(Panel3, "panClient");
    panClient->setAutoFillBackground(true);
    QPalette client = panClient->palette();
    client.setColor(QPalette::Window, QColor(0xFB, 0xF8, 0xF4));
    panClient->setPalette(client);
    Image8 = MakeImage(Panel3, "Image8", TFrameImage::Fit::Stretch, "frameRight");
    Image8->setFixedWidth(6);
    middle->addWidget(Image7);
    middle->addWidget(panClient, 1);
    middle->addWidget(Image8);

    Panel2 = MakePanel(&window_, "Panel2");
    Panel2->setFixedHeight(kBottomBarHeight);
    auto* bottom = MakeRow(Panel2);
    Image4 = MakeImage(Panel2, "Image4", TFrameImage::Fit::Natural, "frameBottomL");
    Image6 = MakeImage(Panel2, "Image6", TFrameImage::Fit::Stretch, "frameBottomC");
    Image5 = MakeImage(Panel2, "Image5", TFrameImage::Fit::Natural, "frameBottomR");
    bottom->addWidget(Image4, 0, Qt::AlignBottom);
    bottom->addWidget(Image6, 1);
    bottom->addWidget(Image5, 0, Qt::AlignBottom);

    column->addWidget(panTop);
    column->addWidget(Panel3, 1);
    column->addWidget(Panel2);

    panTop->installEventFilter(new TopBarWatcher(panTop, [this] {
        PlaceCaptionButtons();
        LayOutTitleLabels();
    }));
}

void TShellFrame::ConnectTitleImage(TFrameImage* image) {
    QObject::connect(image, &TFrameImage::MousePressed, &window_,
                     [this](QMouseEvent* event) { guarded([&] { imaTopCMouseDown(event); }); });
    QObject::connect(image, &TFrameImage::MouseMoved, &window_, [this](QMouseEvent* event) {
        if (dragging_ && event->buttons() != Qt::NoButton)
            window_.move(event->globalPosition().toPoint() - dragOffset_);
    });
    QObject::connect(image, &TFrameImage::MouseReleased, &window_,
                     [this](QMouseEvent*) { dragging_ = false; });
}

void TShellFrame::ApplyRoundRegion() {
    const QRegion outline = RoundOutline::Region(window_.size());
    if (window_.mask() != outline)
        window_.setMask(outline);
}

void TShellFrame::FormCreate() {
    ApplyRoundRegion();
    CreateCaptionButtons();
    ApplyRoundRegion();
}

TSkinButton* TShellFrame::MakeCaptionButton(const char* name, TSkinButtonStyle style) {
    auto* button = new TSkinButton(panTop);
    button->setObjectName(QString::fromLatin1(name));
    button->SetSkinButtonStyle(style);
    QObject::connect(button, &TSkinButton::OnClick, &window_,
                     [this](TSkinButton* sender) { guarded([&] { CaptionButtonClick(sender); }); });
    button->show();
    button->raise();
    return button;
}

void TShellFrame::CreateCaptionButtons() {
    if (btnClose == nullptr)
        btnClose = MakeCaptionButton("btnClose", sbsClose);
    if (fullCaption_) {
        if (btnMin == nullptr)
            btnMin = MakeCaptionButton("btnMin", sbsMin);
        if (btnHelp == nullptr)
            btnHelp = MakeCaptionButton("btnHelp", sbsHelp);
        if (btnMax == nullptr) {
            const bool maximised = (window_.windowState() & Qt::WindowMaximized) != 0;
            btnMax = MakeCaptionButton("btnMax", maximised ? sbsNormal : sbsMax);
        }
    }
    PlaceCaptionButtons();
}

void TShellFrame::PlaceCaptionButtons() {
    const int right = panTop->width();
    const std::pair<TSkinButton*, int> places[] = {{btnClose, kCloseOffset},
                                                   {btnMax, kMaxOffset},
                                                   {btnMin, kMinOffset},
                                                   {btnHelp, kHelpOffset}};
    for (const auto& [button, offset] : places)
        if (button != nullptr)
            button->move(right - offset, kCaptionTop);
}

void TShellFrame::FormResize() {
    ApplyRoundRegion();
    PlaceCaptionButtons();
    const QSize wanted = window_.size().expandedTo(kMinimumSize);
    if (wanted == window_.size())
        return;
    // The enlargement is itself a size change and comes back here; a window that is not shown
    // yet only records the new size, so the outline is brought up to date now as well.
    window_.resize(wanted);
    if (window_.size() == wanted && window_.mask().boundingRect().size() != wanted) {
        ApplyRoundRegion();
        PlaceCaptionButtons();
    }
}

void TShellFrame::imaTopCMouseDown(QMouseEvent* event) {
    dragging_ = false;
    QWindow* handle = window_.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        WindowMoveStarted(true);
        return;
    }
    // The window system would not move the window: follow the pointer ourselves while the
    // button is held (the title image keeps the mouse until the release).
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - window_.pos();
    WindowMoveStarted(false);
}

QLabel* TShellFrame::PlaceTitleLabel(QLabel* label, int left, bool keepLook) {
    label->setParent(panTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (!keepLook) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::white);
        label->setPalette(palette);
    }
    titleLabels_.append(label);
    titleLefts_.append(left);
    LayOutTitleLabels();
    label->show();
    for (TSkinButton* button : {btnClose, btnMax, btnMin, btnHelp})
        if (button != nullptr)
            button->raise();
    return label;
}

void TShellFrame::LayOutTitleLabels() {
    // A title runs from its left edge to just before the leftmost caption button.
    const int end = panTop->width() - (fullCaption_ ? kHelpOffset : kCloseOffset) - 4;
    for (int i = 0; i < titleLabels_.size(); ++i) {
        QLabel* label = titleLabels_.at(i);
        if (label == nullptr)
            continue;
        const int left = titleLefts_.at(i);
        label->setGeometry(left, 0, std::max(0, end - left), panTop->height());
    }
}

void TShellFrame::SetTopBarHeight(int height) {
    panTop->setFixedHeight(height);
    LayOutTitleLabels();
}

void TShellFrame::SetBottomBarHeight(int height) {
    Panel2->setFixedHeight(height);
}
