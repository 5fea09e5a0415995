#include "chrome/ShellFrame.h"

#include "chrome/Assets.h"
#include "chrome/HandlerGuard.h"
#include "chrome/PictureBox.h"
#include "chrome/RoundOutline.h"

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

// Distances of the caption buttons' left edges from the right edge of topBar.
constexpr int kCloseOffset = 24;
constexpr int kMaxOffset = 41;
constexpr int kMinOffset = 58;
constexpr int kHelpOffset = 75;

QWidget* makePanel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

PictureBox* makePicture(QWidget* parent, const char* name, PictureBox::Fit fit,
                        const char* picture) {
    auto* image = new PictureBox(fit, parent);
    image->setObjectName(QString::fromLatin1(name));
    image->setPicture(Assets::picture(QString::fromLatin1(picture)));
    return image;
}

QHBoxLayout* makeRow(QWidget* panel) {
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    return row;
}

// Keeps the caption buttons and title labels in place whenever topBar changes width, whoever
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

ShellFrame::ShellFrame(QWidget& window, bool fullCaption)
    : window_(window), fullCaption_(fullCaption) {
    buildControls();
}

ShellFrame::~ShellFrame() = default;

void ShellFrame::buildControls() {
    window_.setWindowFlag(Qt::FramelessWindowHint, true);

    auto* column = new QVBoxLayout(&window_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    topBar = makePanel(&window_, "topBar");
    topBar->setFixedHeight(kTopBarHeight);
    auto* top = makeRow(topBar);
    topLeftPicture = makePicture(topBar, "topLeftPicture", PictureBox::Fit::Natural, "frameTopL");
    topCenterPicture =
        makePicture(topBar, "topCenterPicture", PictureBox::Fit::Stretch, "frameTopC");
    topRightPicture = makePicture(topBar, "topRightPicture", PictureBox::Fit::Natural, "frameTopR");
    top->addWidget(topLeftPicture, 0, Qt::AlignTop);
    top->addWidget(topCenterPicture, 1);
    top->addWidget(topRightPicture, 0, Qt::AlignTop);
    for (PictureBox* image : {topLeftPicture, topCenterPicture, topRightPicture})
        connectTitlePicture(image);

    middleBand = makePanel(&window_, "middleBand");
    auto* middle = makeRow(middleBand);
    leftEdgePicture =
        makePicture(middleBand, "leftEdgePicture", PictureBox::Fit::Stretch, "frameLeft");
    leftEdgePicture->setFixedWidth(6);
    clientArea = makePanel(middleBand, "clientArea");
    clientArea->setAutoFillBackground(true);
    QPalette client = clientArea->palette();
    client.setColor(QPalette::Window, QColor(0xFB, 0xF8, 0xF4));
    clientArea->setPalette(client);
    rightEdgePicture =
        makePicture(middleBand, "rightEdgePicture", PictureBox::Fit::Stretch, "frameRight");
    rightEdgePicture->setFixedWidth(6);
    middle->addWidget(leftEdgePicture);
    middle->addWidget(clientArea, 1);
    middle->addWidget(rightEdgePicture);

    bottomBar = makePanel(&window_, "bottomBar");
    bottomBar->setFixedHeight(kBottomBarHeight);
    auto* bottom = makeRow(bottomBar);
    bottomLeftPicture =
        makePicture(bottomBar, "bottomLeftPicture", PictureBox::Fit::Natural, "frameBottomL");
    bottomCenterPicture =
        makePicture(bottomBar, "bottomCenterPicture", PictureBox::Fit::Stretch, "frameBottomC");
    bottomRightPicture =
        makePicture(bottomBar, "bottomRightPicture", PictureBox::Fit::Natural, "frameBottomR");
    bottom->addWidget(bottomLeftPicture, 0, Qt::AlignBottom);
    bottom->addWidget(bottomCenterPicture, 1);
    bottom->addWidget(bottomRightPicture, 0, Qt::AlignBottom);

    column->addWidget(topBar);
    column->addWidget(middleBand, 1);
    column->addWidget(bottomBar);

    topBar->installEventFilter(new TopBarWatcher(topBar, [this] {
        placeCaptionButtons();
        layOutTitleLabels();
    }));
}

void ShellFrame::connectTitlePicture(PictureBox* image) {
    QObject::connect(image, &PictureBox::mousePressed, &window_,
                     [this](QMouseEvent* event) { guarded([&] { startTitleDrag(event); }); });
    QObject::connect(image, &PictureBox::mouseMoved, &window_, [this](QMouseEvent* event) {
        if (dragging_ && event->buttons() != Qt::NoButton)
            window_.move(event->globalPosition().toPoint() - dragOffset_);
    });
    QObject::connect(image, &PictureBox::mouseReleased, &window_,
                     [this](QMouseEvent*) { dragging_ = false; });
}

void ShellFrame::applyRoundShape() {
    const QRegion outline = RoundOutline::region(window_.size());
    if (window_.mask() != outline)
        window_.setMask(outline);
}

void ShellFrame::initializeFrame() {
    applyRoundShape();
    createCaptionButtons();
    applyRoundShape();
}

void ShellFrame::onCaptionButtonClicked(SkinButton* button) {
    switch (button->buttonStyle()) {
    case SkinButtonStyle::Minimize:
        onMinimizeClicked();
        break;
    case SkinButtonStyle::Close:
        onCloseClicked();
        break;
    case SkinButtonStyle::Maximize:
        window_.showMaximized();
        break;
    case SkinButtonStyle::Restore:
        window_.showNormal();
        break;
    case SkinButtonStyle::Help:
    case SkinButtonStyle::TextButton:
        break;
    }
}

SkinButton* ShellFrame::makeCaptionButton(const char* name, SkinButtonStyle style) {
    auto* button = new SkinButton(topBar);
    button->setObjectName(QString::fromLatin1(name));
    button->setButtonStyle(style);
    QObject::connect(button, &SkinButton::clicked, &window_, [this](SkinButton* sender) {
        guarded([&] { onCaptionButtonClicked(sender); });
    });
    button->show();
    button->raise();
    return button;
}

void ShellFrame::createCaptionButtons() {
    if (closeButton == nullptr)
        closeButton = makeCaptionButton("closeButton", SkinButtonStyle::Close);
    if (fullCaption_) {
        if (minimizeButton == nullptr)
            minimizeButton = makeCaptionButton("minimizeButton", SkinButtonStyle::Minimize);
        if (helpButton == nullptr)
            helpButton = makeCaptionButton("helpButton", SkinButtonStyle::Help);
        if (maximizeButton == nullptr) {
            const bool maximised = (window_.windowState() & Qt::WindowMaximized) != 0;
            maximizeButton = makeCaptionButton(
                "maximizeButton", maximised ? SkinButtonStyle::Restore : SkinButtonStyle::Maximize);
        }
    }
    placeCaptionButtons();
}

void ShellFrame::placeCaptionButtons() {
    const int right = topBar->width();
    const std::pair<SkinButton*, int> places[] = {{closeButton, kCloseOffset},
                                                  {maximizeButton, kMaxOffset},
                                                  {minimizeButton, kMinOffset},
                                                  {helpButton, kHelpOffset}};
    for (const auto& [button, offset] : places)
        if (button != nullptr)
            button->move(right - offset, kCaptionTop);
}

void ShellFrame::onFrameResized() {
    applyRoundShape();
    placeCaptionButtons();
    const QSize wanted = window_.size().expandedTo(kMinimumSize);
    if (wanted == window_.size())
        return;
    // The enlargement is itself a size change and comes back here; a window that is not shown
    // yet only records the new size, so the outline is brought up to date now as well.
    window_.resize(wanted);
    if (window_.size() == wanted && window_.mask().boundingRect().size() != wanted) {
        applyRoundShape();
        placeCaptionButtons();
    }
}

void ShellFrame::startTitleDrag(QMouseEvent* event) {
    dragging_ = false;
    QWindow* handle = window_.windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
        onWindowMoveStarted(true);
        return;
    }
    // The window system would not move the window: follow the pointer ourselves while the
    // button is held (the title image keeps the mouse until the release).
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - window_.pos();
    onWindowMoveStarted(false);
}

QLabel* ShellFrame::placeTitleLabel(QLabel* label, int left, bool keepLook) {
    label->setParent(topBar);
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
    layOutTitleLabels();
    label->show();
    for (SkinButton* button : {closeButton, maximizeButton, minimizeButton, helpButton})
        if (button != nullptr)
            button->raise();
    return label;
}

void ShellFrame::layOutTitleLabels() {
    // A title runs from its left edge to just before the leftmost caption button.
    const int end = topBar->width() - (fullCaption_ ? kHelpOffset : kCloseOffset) - 4;
    for (int i = 0; i < titleLabels_.size(); ++i) {
        QLabel* label = titleLabels_.at(i);
        if (label == nullptr)
            continue;
        const int left = titleLefts_.at(i);
        label->setGeometry(left, 0, std::max(0, end - left), topBar->height());
    }
}

void ShellFrame::setTopBarHeight(int height) {
    topBar->setFixedHeight(height);
    layOutTitleLabels();
}

void ShellFrame::setBottomBarHeight(int height) {
    bottomBar->setFixedHeight(height);
}
