#include "forms/FormRegistry.h"

#include "forms/AboutDlg.h"
#include "forms/HorizontalElectrodeDlg.h"
#include "forms/MashElectrodeDlg.h"
#include "forms/SiteInformationDlg.h"
#include "forms/SoilResistivityDlg.h"
#include "forms/VerticalElectrodeDlg.h"
#include "forms/ids/MainWindowIds.h"

namespace {

template <class Form> FormEntry entry(int buttonId) {
    return {buttonId, Form::IDD, [](QWidget *owner) -> std::unique_ptr<LayoutDialog> {
                return std::make_unique<Form>(owner);
            }};
}

} // namespace

const std::vector<FormEntry> &mainWindowForms() {
    using namespace MainWindowIds;
    static const std::vector<FormEntry> forms{
        entry<CAboutDlg>(IDC_PROGRAM_INFORMATION),
        entry<CSiteInformationDlg>(IDC_FIELD_INFORMATION),
        entry<CSoilResistivityDlg>(IDC_SOIL_RESISTIVITY_MEASUREMENT),
        entry<CVerticalElectrodeDlg>(IDC_VERTICAL_ROD),
        entry<CHorizontalElectrodeDlg>(IDC_HORIZONTAL_ROD),
        entry<CMashElectrodeDlg>(IDC_MESH_ELECTRODE)};
    return forms;
}

const FormEntry *formWithLayout(int layoutId) {
    for (const FormEntry &form : mainWindowForms())
        if (form.layoutId == layoutId)
            return &form;
    return nullptr;
}
