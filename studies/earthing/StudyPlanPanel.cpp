#include "studies/earthing/StudyPlanPanel.h"

#include "studies/common/StudyLabels.h"
#include "studies/common/StudyNumber.h"
#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/PlanMaps.h"
#include "studies/earthing/PlanView.h"
#include "studies/earthing/ProfileView.h"
#include "studies/earthing/editor/PlanEditor.h"
#include "studies/earthing/editor/PlanTools.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

using namespace StringId::EarthingStudy;

StudyPlanPanel::StudyPlanPanel(EarthingProject *project, QWidget *parent)
    : QWidget(parent), m_project(project) {
    m_map = new QComboBox(this);
    m_map->setObjectName(QStringLiteral("map"));
    m_map->addItems(PlanMaps::labels());
    m_map->setCurrentIndex(int(PlanPicture::Map::Touch));
    connect(m_map, &QComboBox::activated, this,
            [this](int index) { m_project->setMap(PlanMaps::name(index)); });
    m_cursor = StudyLabels::wrapping(this, QStringLiteral("cursor"));
    m_plan = new PlanView(this);
    m_plan->setObjectName(QStringLiteral("plan"));
    m_plan->picture().unit = LoadLanguageString(StringId::Study::kVolt);
    m_plan->leakage().unit = LoadLanguageString(StringId::EarthingLeakage::kDensityUnit);
    m_plan->setFocusPolicy(Qt::StrongFocus);
    connect(m_plan, &PlanView::cursorMoved, this, &StudyPlanPanel::showCursor);
    connect(m_plan, &PlanView::profileChanged, this,
            [this](QLineF line) { m_project->setProfile(line); });
    m_editor = new PlanEditor(m_plan, m_project, this);
    m_tools = new PlanTools(m_editor, m_plan, this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(LoadLanguageString(kMap), this));
    top->addWidget(m_map);
    top->addWidget(new QLabel(LoadLanguageString(StringId::PlanEditor::kTypedLabel), this));
    top->addWidget(m_tools->typedPoint());
    top->addStretch(1);
    m_profile = new ProfileView(this);
    m_profile->setObjectName(QStringLiteral("profile"));
    m_profile->setHint(LoadLanguageString(kProfileHint));
    // The tools stand down the plan's left, as a drawing program's palette: the middle of
    // the window is narrower than their row.
    m_tools->toolBar()->setOrientation(Qt::Vertical);
    auto *drawing = new QWidget(this);
    auto *beside = new QHBoxLayout(drawing);
    beside->setContentsMargins(0, 0, 0, 0);
    beside->setSpacing(2);
    beside->addWidget(m_tools->toolBar());
    beside->addWidget(m_plan, 1);
    auto *split = new QSplitter(Qt::Vertical, this);
    split->addWidget(drawing);
    split->addWidget(m_profile);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    // Where the cursor is, under the plan and its profile as a status line of its own.
    layout->addWidget(m_cursor);
}

void StudyPlanPanel::clearCursor() {
    m_cursor->clear();
}

// To the millimetre; the site's coordinates beside when the study keeps them, and the
// surface potential there once solved.
void StudyPlanPanel::showCursor(QPointF at) {
    using StudyNumber::Shown;
    const QString x = StudyNumber::shown(at.x(), Shown::Metres);
    const QString y = StudyNumber::shown(at.y(), Shown::Metres);
    const QJsonObject origin = m_project->siteOrigin();
    const auto *result = m_plan->picture().result;
    const bool potential = result && result->field;
    const QString volts =
        potential ? StudyNumber::shown(result->field->potential(at.x(), at.y())) : QString();
    if (origin.isEmpty()) {
        m_cursor->setText(potential ? LoadLanguageString(kCursorPotential).arg(x, y, volts)
                                    : LoadLanguageString(kCursor).arg(x, y));
        return;
    }
    const QString siteX =
        StudyNumber::shown(origin.value(QStringLiteral("x")).toDouble() + at.x(), Shown::Metres);
    const QString siteY =
        StudyNumber::shown(origin.value(QStringLiteral("y")).toDouble() + at.y(), Shown::Metres);
    using namespace StringId::PlanEditor;
    m_cursor->setText(potential
                          ? LoadLanguageString(kCursorSitePotential).arg(x, y, siteX, siteY, volts)
                          : LoadLanguageString(kCursorSite).arg(x, y, siteX, siteY));
}
