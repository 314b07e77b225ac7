// The palette's handlers against a recording stand-in for a window front
// end: which verbs each event asks for, in which order, and what it types.

#include "Check.h"
#include "DesignTables.h"
#include "DocumentLink.h"
#include "PaletteLogic.h"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using namespace palette;
using Log = std::vector<std::string>;

namespace {

std::string Utf8(std::u16string_view text)
{
    std::string out;
    for (char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | (unit >> 6));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (unit >> 12));
            out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

// One log for the window's verbs and the link's insertions, so that their
// order shows.
struct Recorder {
    Log log;
};

// A window whose controls are built from the design tables: each keeps its
// visibility and place, and every verb is logged.
class RecordingControls final : public PaletteControls {
public:
    explicit RecordingControls(Recorder& recorder) : recorder_(recorder)
    {
        ForEachControlBottomFirst([this](const char*, const ControlDesign& design, const std::string& name) {
            controls_[name] = {{design.rect.left, design.rect.top}, design.visible};
        });
    }

    bool IsVisible(std::string_view control) const override { return Find(control).visible; }
    void Show(std::string_view control) override
    {
        Find(control).visible = true;
        Record("show " + std::string(control));
    }
    void Hide(std::string_view control) override
    {
        Find(control).visible = false;
        Record("hide " + std::string(control));
    }
    TwipPoint Position(std::string_view control) const override { return Find(control).place; }
    void Move(std::string_view control, TwipPoint to) override
    {
        Find(control).place = to;
        Record("move " + std::string(control) + " " + std::to_string(to.x) + "," + std::to_string(to.y));
    }
    void SetToolTip(std::string_view control, std::u16string_view text) override
    {
        Find(control);
        Record("tooltip " + std::string(control) + " \"" + Utf8(text) + "\"");
    }
    void RemoveBorder(std::string_view control) override
    {
        Find(control);
        Record("no border " + std::string(control));
    }
    void SetClientSize(TwipSize size) override
    {
        Record("size " + std::to_string(size.width) + "x" + std::to_string(size.height));
    }
    void MakeTopmost() override { Record("topmost"); }
    void ShowWindow() override { Record("show window"); }
    void CloseWindow() override { Record("close window"); }
    void Beep() override { Record("beep"); }
    void ShowFailureBox() override { Record("failure box"); }

private:
    struct Control {
        TwipPoint place;
        bool visible;
    };

    // A verb on a control the design lacks is a fault of the handlers.
    Control& Find(std::string_view name) const
    {
        const auto found = controls_.find(std::string(name));
        if (found == controls_.end())
            throw std::logic_error("no control named " + std::string(name));
        return found->second;
    }
    void Record(std::string line) { recorder_.log.push_back(std::move(line)); }

    Recorder& recorder_;
    mutable std::map<std::string, Control, std::less<>> controls_;
};

class RecordingLink final : public doclink::DocumentLink {
public:
    explicit RecordingLink(Recorder& recorder) : recorder_(recorder) { }

    void TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                    const std::u16string& /*undoTitle*/) override
    {
        recorder_.log.push_back("type \"" + Utf8(text) + "\" in " + Utf8(font)
                                + (deleteFirst ? " deleting first" : ""));
        if (failures > 0) {
            --failures;
            if (throwsOther)
                throw 42; // a backend fault that is not even a std::exception
            throw doclink::DocumentLinkError("the word processor is not running");
        }
    }

    int failures = 0;
    bool throwsOther = false;

private:
    Recorder& recorder_;
};

// A palette after start-up, with an empty log.
struct Palette {
    Recorder recorder;
    RecordingControls controls{recorder};
    RecordingLink link{recorder};
    PaletteLogic logic{controls, link};

    Palette()
    {
        logic.Load();
        recorder.log.clear();
    }

    Log Click(std::string_view control)
    {
        recorder.log.clear();
        logic.OnClick(control);
        return recorder.log;
    }
    Log MouseMove(std::string_view control)
    {
        recorder.log.clear();
        logic.OnMouseMove(control);
        return recorder.log;
    }
};

void StartUpParksTheAboutPanelShowsTheWindowAndExpandsIt()
{
    Recorder recorder;
    RecordingControls controls(recorder);
    RecordingLink link(recorder);
    PaletteLogic logic(controls, link);
    logic.Load();

    Log expected = {"move Picture3 1170,0", "topmost", "show window"};
    for (int i = 0; i < 56; ++i)
        expected.push_back("no border Label1_" + std::to_string(i));
    expected.push_back("size 10605x2640");
    CHECK_EQ(recorder.log, expected);
    // Nothing selects a panel: the hidden overlays make it the base panel.
    CHECK_EQ(logic.CurrentPanel(), PanelAlgebra);
}

void PanelButtonsSetTheirPropertiesInOrder()
{
    const struct {
        const char* button;
        Log verbs;
        Panel panel;
    } cases[] = {
        {"Command3", {"hide Image1", "hide Image2", "hide Image3", "hide Picture3"}, PanelAlgebra},
        {"Command4",
         {"hide Picture3", "move Image1 0,0", "show Image1", "hide Image2", "hide Image3"},
         PanelLetters},
        {"Command5",
         {"hide Picture3", "move Image2 0,0", "hide Image1", "show Image2", "hide Image3"},
         PanelGeometry},
        {"Command6",
         {"hide Picture3", "move Image3 0,0", "hide Image1", "hide Image2", "show Image3"},
         PanelCalculus},
    };
    for (const auto& c : cases) {
        Palette palette;
        palette.Click("Label3"); // every panel button also closes the about panel
        CHECK_EQ(palette.Click(c.button), c.verbs);
        CHECK_EQ(palette.logic.CurrentPanel(), c.panel);
        CHECK(!palette.controls.IsVisible("Picture3"));
    }
}

void CurrentPanelIsTheFirstVisibleOverlay()
{
    const struct {
        bool image1, image2, image3;
        Panel panel;
    } cases[] = {
        {false, false, false, PanelAlgebra}, {true, false, false, PanelLetters},
        {false, true, false, PanelGeometry}, {false, false, true, PanelCalculus},
        {true, true, true, PanelLetters},    {false, true, true, PanelGeometry},
    };
    for (const auto& c : cases) {
        Palette palette;
        for (const auto& [name, shown] :
             {std::pair{"Image1", c.image1}, {"Image2", c.image2}, {"Image3", c.image3}})
            shown ? palette.controls.Show(name) : palette.controls.Hide(name);
        CHECK_EQ(palette.logic.CurrentPanel(), c.panel);
    }
}

void ViewsAboutPanelAndExitFollowTheirControls()
{
    const struct {
        const char* control;
        Log verbs;
    } cases[] = {
        {"Image6", {"size 780x570", "show Picture2"}},
        {"Image5", {"size 10605x2640", "hide Picture2"}},
        {"Label3", {"show Picture3"}},
        {"Menu", {"show Picture3"}},
        {"Picture3", {"hide Picture3"}},
        {"Image7", {"hide Picture3"}},
        {"Image8", {"hide Picture3"}},
        {"Command2", {"close window"}},
        // Controls without a click handler, and names that are no element.
        {"Picture1", {}},
        {"Image4", {}},
        {"Shape1", {}},
        {"Text1", {}},
        {"Label1_56", {}},
        {"Label1_-1", {}},
        {"Label1_1x", {}},
        {"Label1_", {}},
        {"Label2_6", {}},
        {"Label10_1", {}},
    };
    for (const auto& c : cases) {
        Palette palette;
        CHECK_EQ(palette.Click(c.control), c.verbs);
    }
}

void PointerMovesShowAndHideTheStripFrames()
{
    const Log hideAll = {"hide Shape2_0", "hide Shape2_1", "hide Shape2_2",
                         "hide Shape2_3", "hide Shape2_4", "hide Shape2_5"};
    const auto then = [](Log log, std::string line) {
        log.push_back(std::move(line));
        return log;
    };
    const struct {
        const char* control;
        Log verbs;
    } cases[] = {
        {"Picture1", hideAll},
        {"Image4", hideAll},
        {"Image6", {"show Shape2_3"}},
        {"Label2_0", then(hideAll, "show Shape2_0")},
        {"Label2_5", then(hideAll, "show Shape2_5")},
        {"Image1", {}},
        {"Command3", {}},
    };
    for (const auto& c : cases) {
        Palette palette;
        CHECK_EQ(palette.MouseMove(c.control), c.verbs);
    }
}

void CellClickTypesTheEntryOfTheCurrentPanel()
{
    const struct {
        const char* button;
        const char* cell;
        const char* typed;
    } cases[] = {
        {"Command3", "Label1_0", "type \"حمس \" in Al-DizaDorvan"},
        {"Command4", "Label1_0", "type \" ع \" in Al-ZavuraDorvan"},
        {"Command6", "Label1_0", "type \"\"\" in Al-ZavuraDorvan"},
        // Cell 14 deletes first on every panel; on the calculus panel it
        // types nothing after that.
        {"Command3", "Label1_14", "type \" يم \" in Al-DizaDorvan deleting first"},
        {"Command4", "Label1_14", "type \" عع\" in Al-ZavuraDorvan deleting first"},
        {"Command5", "Label1_14", "type \"\xD9\x90\" in Al-DizaDorvan deleting first"},
        {"Command6", "Label1_14", "type \"\" in Al-ZavuraDorvan deleting first"},
        {"Command5", "Label1_42", "type \"\" in Al-DizaDorvan"},
        {"Command5", "Label1_51", "type \"!\" in Traditional Arabic"},
        {"Command4", "Label1_13", "type \"ا\" in Al-ZavuraDorvan"},
    };
    for (const auto& c : cases) {
        Palette palette;
        palette.Click(c.button);
        CHECK_EQ(palette.Click(c.cell), Log{c.typed});
    }
}

void CellFourteenDeletesOnlyWhileTheStripShows()
{
    Palette palette;
    palette.controls.Hide("Image4");
    CHECK_EQ(palette.Click("Label1_14"), Log{"type \" يم \" in Al-DizaDorvan"});
}

void StripClicksTypeTheirFixedEdits()
{
    const struct {
        const char* cell;
        Log verbs;
    } cases[] = {
        {"Label2_0", {"beep", "type \" \" in Traditional Arabic"}},
        {"Label2_1", {"type \"\" in Traditional Arabic deleting first"}},
        {"Label2_2", {"type \"\r\" in Traditional Arabic"}},
        {"Label2_3", {"type \"\" in Traditional Arabic"}},
        {"Label2_4", {"type \"{س،ص}\" in Al-DizaDorvan"}},
        {"Label2_5", {"type \" جد \" in Al-DizaDorvan"}},
    };
    for (const auto& c : cases) {
        Palette palette;
        palette.Click("Command6"); // the strip does not depend on the panel
        CHECK_EQ(palette.Click(c.cell), c.verbs);
    }
}

void AFailedInsertionShowsOneBoxAndTheNextClickStartsAfresh()
{
    for (const bool throwsOther : {false, true}) {
        Palette palette;
        palette.link.failures = 1;
        palette.link.throwsOther = throwsOther;
        CHECK_EQ(palette.Click("Label1_0"), (Log{"type \"حمس \" in Al-DizaDorvan", "failure box"}));
        CHECK_EQ(palette.Click("Label1_0"), Log{"type \"حمس \" in Al-DizaDorvan"});
        // The space cell has beeped before the link failed.
        palette.link.failures = 1;
        CHECK_EQ(palette.Click("Label2_0"), (Log{"beep", "type \" \" in Traditional Arabic", "failure box"}));
    }
}

void HoverFramesTheCellAndSetsItsName()
{
    const struct {
        const char* button;
        const char* cell;
        Log verbs;
    } cases[] = {
        {"Command3", "Label1_0", {"move Shape1 75,45", "tooltip Label1_0 \"أقل من أو يساوي\""}},
        {"Command4", "Label1_0", {"move Shape1 75,45", "tooltip Label1_0 \"ع بسط\""}},
        {"Command6", "Label1_0", {"move Shape1 75,45", "tooltip Label1_0 \"ط حد علوي تكامل \""}},
        {"Command5", "Label1_42", {"move Shape1 60,1605", "tooltip Label1_42 \"\""}},
        {"Command6", "Label1_55", {"move Shape1 8805,1605", "tooltip Label1_55 \"مشتقة نونية\""}},
    };
    for (const auto& c : cases) {
        Palette palette;
        palette.Click(c.button);
        CHECK_EQ(palette.MouseMove(c.cell), c.verbs);
    }
}

} // namespace

int main()
{
    return check::Run({
        {"StartUpParksTheAboutPanelShowsTheWindowAndExpandsIt",
         StartUpParksTheAboutPanelShowsTheWindowAndExpandsIt},
        {"PanelButtonsSetTheirPropertiesInOrder", PanelButtonsSetTheirPropertiesInOrder},
        {"CurrentPanelIsTheFirstVisibleOverlay", CurrentPanelIsTheFirstVisibleOverlay},
        {"ViewsAboutPanelAndExitFollowTheirControls", ViewsAboutPanelAndExitFollowTheirControls},
        {"PointerMovesShowAndHideTheStripFrames", PointerMovesShowAndHideTheStripFrames},
        {"CellClickTypesTheEntryOfTheCurrentPanel", CellClickTypesTheEntryOfTheCurrentPanel},
        {"CellFourteenDeletesOnlyWhileTheStripShows", CellFourteenDeletesOnlyWhileTheStripShows},
        {"StripClicksTypeTheirFixedEdits", StripClicksTypeTheirFixedEdits},
        {"AFailedInsertionShowsOneBoxAndTheNextClickStartsAfresh",
         AFailedInsertionShowsOneBoxAndTheNextClickStartsAfresh},
        {"HoverFramesTheCellAndSetsItsName", HoverFramesTheCellAndSetsItsName},
    });
}
