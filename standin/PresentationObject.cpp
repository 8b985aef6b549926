#include "PresentationObject.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "ApplicationObject.h"
#include "HostObjectModel.h"
#include "Monitors.h"
#include "SlideShowWindowObject.h"

namespace tandry::standin {

namespace {

namespace dispid = host;

constexpr wchar_t kOutOfRange[] = L"The index into the specified collection is out of bounds.";

// The parts of a notes page, each a small object over one slide (and one of its shapes).
enum class NotesPart { kPage, kShapes, kShape, kPlaceholderFormat, kTextFrame, kTextRange };

const DispatchMember kPageMembers[] = {{L"Shapes", dispid::slide::kShapes}};
const DispatchMember kShapesMembers[] = {
    {L"Count", dispid::shapes::kCount}, {L"Item", dispid::shapes::kItem, false, {L"Index"}}};
const DispatchMember kShapeMembers[] = {
    {L"Type", dispid::shape::kType},
    {L"PlaceholderFormat", dispid::shape::kPlaceholderFormat},
    {L"TextFrame", dispid::shape::kTextFrame}};
const DispatchMember kPlaceholderFormatMembers[] = {
    {L"Type", dispid::placeholder_format::kType}};
const DispatchMember kTextFrameMembers[] = {{L"TextRange", dispid::text_frame::kTextRange}};
const DispatchMember kTextRangeMembers[] = {{L"Text", dispid::text_range::kText}};

struct PartTable {
  const DispatchMember* members;
  std::size_t count;
};

PartTable TableOf(NotesPart part) {
  switch (part) {
    case NotesPart::kPage:
      return {kPageMembers, std::size(kPageMembers)};
    case NotesPart::kShapes:
      return {kShapesMembers, std::size(kShapesMembers)};
    case NotesPart::kShape:
      return {kShapeMembers, std::size(kShapeMembers)};
    case NotesPart::kPlaceholderFormat:
      return {kPlaceholderFormatMembers, std::size(kPlaceholderFormatMembers)};
    case NotesPart::kTextFrame:
      return {kTextFrameMembers, std::size(kTextFrameMembers)};
    case NotesPart::kTextRange:
      return {kTextRangeMembers, std::size(kTextRangeMembers)};
  }
  return {nullptr, 0};
}

class NotesPartObject final : public DispatchObject<IDispatch> {
 public:
  NotesPartObject(NotesPart part, SlideObject& slide, int shape = 0)
      : DispatchObject(TableOf(part).members, TableOf(part).count),
        part_(part),
        slide_(&slide),
        shape_(shape) {
    slide.AddRef();
  }

 private:
  const NotesShape& Shape() const { return slide_->data().notesPage[shape_]; }
  int ShapeCount() const { return static_cast<int>(slide_->data().notesPage.size()); }
  HRESULT Part(Invocation& call, NotesPart part, int shape) {
    return call.ReturnObject(new NotesPartObject(part, *slide_.get(), shape));
  }

  HRESULT InvokeMember(Invocation& call) override {
    switch (part_) {
      case NotesPart::kPage:
        return Part(call, NotesPart::kShapes, 0);
      case NotesPart::kShapes:
        return call.id() == dispid::shapes::kCount ? call.ReturnLong(ShapeCount())
                                                   : ItemOfShapes(call);
      case NotesPart::kShape:
        return ShapeMember(call);
      case NotesPart::kPlaceholderFormat:
        return call.ReturnLong(Shape().placeholderType);
      case NotesPart::kTextFrame:
        return Part(call, NotesPart::kTextRange, shape_);
      case NotesPart::kTextRange:
        return call.ReturnText(ShapeText(Shape()));
    }
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT ItemOfShapes(Invocation& call) {
    ItemKey key;  // shapes have no names here
    const HRESULT hr = call.IndexOrName(0, key);
    if (FAILED(hr)) return hr;
    if (key.byName || key.number < 1 || key.number > ShapeCount()) {
      return call.Fail(E_INVALIDARG, kOutOfRange);
    }
    return Part(call, NotesPart::kShape, key.number - 1);
  }

  HRESULT ShapeMember(Invocation& call) {
    switch (call.id()) {
      case dispid::shape::kType:
        return call.ReturnLong(Shape().placeholder ? host::kMsoPlaceholder : host::kMsoTextBox);
      case dispid::shape::kPlaceholderFormat:
        if (!Shape().placeholder) {
          return call.Fail(E_FAIL, L"This shape is not a placeholder.");
        }
        return Part(call, NotesPart::kPlaceholderFormat, shape_);
      default:
        return Part(call, NotesPart::kTextFrame, shape_);
    }
  }

  NotesPart part_;
  ScopedComPtr<SlideObject> slide_;
  int shape_;
};

const DispatchMember kSlideMembers[] = {
    {L"SlideIndex", dispid::slide::kSlideIndex},
    {L"DisplayMasterShapes", dispid::slide::kDisplayMasterShapes, true},
    {L"NotesPage", dispid::slide::kNotesPage},
};

const DispatchMember kSlidesMembers[] = {
    {L"Count", dispid::collection::kCount},
    {L"Item", dispid::collection::kItem, false, {L"Index"}},
    {L"Add", dispid::slides::kAdd, false, {L"Index", L"Layout"}},
};

class SlidesObject final : public DispatchObject<IDispatch> {
 public:
  explicit SlidesObject(PresentationObject& presentation)
      : DispatchObject(kSlidesMembers, std::size(kSlidesMembers)), presentation_(&presentation) {
    presentation.AddRef();
  }

 private:
  HRESULT InvokeMember(Invocation& call) override {
    switch (call.id()) {
      case dispid::collection::kCount:
        return call.ReturnLong(presentation_->slideCount());
      case dispid::collection::kItem:
        return Item(call);
      default:
        return Add(call);
    }
  }

  HRESULT Item(Invocation& call) {
    ItemKey key;  // slides have no names here
    const HRESULT hr = call.IndexOrName(0, key);
    if (FAILED(hr)) return hr;
    SlideObject* slide = key.byName ? nullptr : presentation_->slide(key.number);
    if (!slide) return call.Fail(E_INVALIDARG, kOutOfRange);
    slide->AddRef();
    return call.ReturnObject(slide);
  }

  // Both arguments are required; the stand-in makes blank slides only.
  HRESULT Add(Invocation& call) {
    LONG index = 0;
    LONG layout = 0;
    HRESULT hr = call.Long(0, index);
    if (SUCCEEDED(hr)) hr = call.Long(1, layout);
    if (FAILED(hr)) return hr;
    if (layout != host::kLayoutBlank) {
      return call.Fail(E_INVALIDARG, L"The stand-in makes slides of the blank layout only.");
    }
    SlideObject* slide = presentation_->InsertBlankSlide(index);
    if (!slide) return call.Fail(E_INVALIDARG, L"Index out of range.");
    slide->AddRef();
    return call.ReturnObject(slide);
  }

  ScopedComPtr<PresentationObject> presentation_;
};

const DispatchMember kSettingsMembers[] = {{L"Run", dispid::slide_show_settings::kRun}};

// Runs the show on the primary monitor, where the presentation program puts it.
class SlideShowSettingsObject final : public DispatchObject<IDispatch> {
 public:
  explicit SlideShowSettingsObject(PresentationObject& presentation)
      : DispatchObject(kSettingsMembers, std::size(kSettingsMembers)),
        presentation_(&presentation) {
    presentation.AddRef();
  }

 private:
  HRESULT InvokeMember(Invocation& call) override {
    RECT primary;
    if (!MonitorRectByIndex(0, primary)) return call.Fail(E_FAIL, L"There is no monitor.");
    ScopedComPtr<SlideShowWindowObject> show = presentation_->RunShow(primary);
    if (!show) return call.Fail(E_FAIL, L"The slide show cannot be started.");
    return call.ReturnObject(static_cast<ISlideShowWindow*>(show.release()));
  }

  ScopedComPtr<PresentationObject> presentation_;
};

const DispatchMember kPresentationMembers[] = {
    {L"Name", dispid::presentation::kName},
    {L"Slides", dispid::presentation::kSlides},
    {L"SlideShowSettings", dispid::presentation::kSlideShowSettings},
    {L"SlideShowWindow", dispid::presentation::kSlideShowWindow},
};

}  // namespace

SlideObject::SlideObject(PresentationObject& owner, Slide slide)
    : DispatchObject(kSlideMembers, std::size(kSlideMembers)),
      owner_(&owner),
      slide_(std::move(slide)) {}

int SlideObject::index() const { return owner_ ? owner_->IndexOf(*this) : 0; }

HRESULT SlideObject::InvokeMember(Invocation& call) {
  switch (call.id()) {
    case dispid::slide::kSlideIndex:
      if (index() == 0) return call.Fail(E_FAIL, L"The slide's presentation is closed.");
      return call.ReturnLong(index());
    case dispid::slide::kDisplayMasterShapes: {
      if (!call.put()) {
        return call.ReturnLong(slide_.displayMasterShapes ? host::kMsoTrue : host::kMsoFalse);
      }
      ScopedVariant value;
      const HRESULT hr = call.PutValue(VT_BOOL, *value.get());  // a tri-state: not 0 is true
      if (FAILED(hr)) return hr;
      slide_.displayMasterShapes = (*value).boolVal != VARIANT_FALSE;
      if (owner_) owner_->SlideChanged();
      return S_OK;
    }
    default:
      return call.ReturnObject(new NotesPartObject(NotesPart::kPage, *this));
  }
}

PresentationObject::PresentationObject(ApplicationObject& app, std::string name, Deck deck)
    : DispatchObject(kPresentationMembers, std::size(kPresentationMembers)),
      app_(&app),
      name_(std::move(name)),
      startSlide_(deck.startSlide),
      nextColour_(1) {
  for (Slide& slide : deck.slides) {
    nextColour_ = std::max(nextColour_, slide.colour + 1);
    slides_.emplace_back(new SlideObject(*this, std::move(slide)));
  }
}

PresentationObject::~PresentationObject() { Close(); }

SlideObject* PresentationObject::slide(int index) const {
  if (index < 1 || index > slideCount()) return nullptr;
  return slides_[index - 1].get();
}

int PresentationObject::IndexOf(const SlideObject& slide) const {
  for (std::size_t i = 0; i < slides_.size(); ++i) {
    if (slides_[i].get() == &slide) return static_cast<int>(i) + 1;
  }
  return 0;
}

SlideObject* PresentationObject::InsertBlankSlide(int index) {
  if (!app_ || index < 1 || index > slideCount() + 1) return nullptr;
  ScopedComPtr<SlideObject> slide(new SlideObject(*this, BlankSlide(nextColour_++)));
  slides_.insert(slides_.begin() + (index - 1), std::move(slide));
  if (show_) show_->InsertSlide(index, 0);
  return slides_[index - 1].get();
}

void PresentationObject::SlideChanged() {
  if (show_) show_->Redraw();
}

ScopedComPtr<SlideShowWindowObject> PresentationObject::RunShow(const RECT& monitor) {
  if (!app_ || show_ || slides_.empty()) return {};
  ScopedComPtr<SlideShowWindowObject> show = SlideShowWindowObject::Create(*app_, *this, monitor);
  if (!show) return {};
  show_ = show.get();  // the handlers of the show's first events find it already
  show->Begin(startSlide_);
  return show;
}

void PresentationObject::ShowEnded(const SlideShowWindowObject& show) {
  if (show_ == &show) show_ = nullptr;
}

void PresentationObject::Close() {
  app_ = nullptr;
  for (const ScopedComPtr<SlideObject>& slide : slides_) slide->Detach();
}

HRESULT PresentationObject::InvokeMember(Invocation& call) {
  switch (call.id()) {
    case dispid::presentation::kName:
      return call.ReturnText(name_);
    case dispid::presentation::kSlides:
      return call.ReturnObject(new SlidesObject(*this));
    case dispid::presentation::kSlideShowSettings:
      return call.ReturnObject(new SlideShowSettingsObject(*this));
    default:
      if (!show_) return call.Fail(E_FAIL, L"The presentation's slide show is not running.");
      show_->AddRef();
      return call.ReturnObject(static_cast<ISlideShowWindow*>(show_));
  }
}

}  // namespace tandry::standin
