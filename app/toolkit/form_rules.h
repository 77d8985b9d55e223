#pragma once

// The rules a window's description and its labelling tables keep, checked
// as they compile: a table that breaks one does not build, and the error
// shows the rule it broke.
#include <array>

#include "app/toolkit/form_desc.h"

namespace lumora {

// The rules; each is said in full where a table breaks it.
enum class Broken : unsigned char {
  kNone,
  kOtherWindow,
  kElementTwice,
  kContainer,
  kTabIndexes,
  kRunsNoClicks,
  kForeignHandler,
  kMenuItemTwice,
  kMenuParent,
  kForeignMenuHandler,
  kTakesNoCaption,
  kCannotTurn,
  kCaptionNotOnce,
  kTurnNotOnce,
};

// The first rule the description breaks, if any: every element and menu
// item once, none the window itself; each container the window or an
// element above that holds others; each top-level menu's items right after
// it; tab indexes 0 to one less than the rows, each once; click handlers
// only on elements that run clicks, each of Form's.
template <typename Form>
[[nodiscard]] constexpr Broken BrokenRule(const FormDesc& desc) {
  if (desc.window != Form::kWindow) return Broken::kOtherWindow;
  std::array<bool, kElementCount> described{};
  std::array<bool, kElementCount> holds{};
  std::array<bool, kElementCount> tab_index_used{};
  holds[Index(desc.window)] = true;
  for (const ElementDesc& row : desc.elements) {
    if (row.element == desc.window || described[Index(row.element)]) {
      return Broken::kElementTwice;
    }
    if (!holds[Index(row.container)]) {
      return Broken::kContainer;
    }
    const auto tab_index = static_cast<std::size_t>(row.tab_index);
    if (row.tab_index < 0 || tab_index >= desc.elements.size() || tab_index_used[tab_index]) {
      return Broken::kTabIndexes;
    }
    if (row.on_click && !RunsClicks(row.kind)) return Broken::kRunsNoClicks;
    if (row.on_click && row.on_click.Form() != Form::kWindow) {
      return Broken::kForeignHandler;
    }
    described[Index(row.element)] = true;
    holds[Index(row.element)] = HoldsElements(row.kind);
    tab_index_used[tab_index] = true;
  }
  Element menu = desc.window;  // the top-level menu whose items may follow
  for (const MenuDesc& row : desc.menu) {
    if (row.item == desc.window || described[Index(row.item)]) {
      return Broken::kMenuItemTwice;
    }
    if (row.parent != desc.window && row.parent != menu) return Broken::kMenuParent;
    if (row.on_click && row.on_click.Form() != Form::kWindow) {
      return Broken::kForeignMenuHandler;
    }
    described[Index(row.item)] = true;
    if (row.parent == desc.window) menu = row.item;
  }
  return Broken::kNone;
}

// The first rule the labelling tables break, if any: a text row for each
// menu item (but a separator), element and window that takes a caption, and
// for nothing else; each element that turns right to left, and the window,
// in the right-to-left list once, and nothing else.
template <typename Texts, typename Turns>
[[nodiscard]] constexpr Broken BrokenLabellingRule(const FormDesc& desc, const Texts& texts,
                                                   const Turns& turns) {
  std::array<int, kElementCount> captions{};
  std::array<int, kElementCount> turned{};
  for (const auto& row : texts) ++captions[Index(row.element)];
  for (const Element element : turns) ++turned[Index(element)];
  // What each element of this window takes; nothing, for any other.
  std::array<bool, kElementCount> takes_caption{};
  std::array<bool, kElementCount> turns_right_to_left{};
  takes_caption[Index(desc.window)] = turns_right_to_left[Index(desc.window)] = true;
  for (const ElementDesc& row : desc.elements) {
    takes_caption[Index(row.element)] = TakesCaption(row.kind);
    turns_right_to_left[Index(row.element)] = TurnsRightToLeft(row.kind);
  }
  for (const MenuDesc& row : desc.menu) takes_caption[Index(row.item)] = row.caption != u"-";
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (captions[i] > 0 && !takes_caption[i]) return Broken::kTakesNoCaption;
    if (turned[i] > 0 && !turns_right_to_left[i]) return Broken::kCannotTurn;
  }
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (captions[i] != (takes_caption[i] ? 1 : 0)) return Broken::kCaptionNotOnce;
    if (turned[i] != (turns_right_to_left[i] ? 1 : 0)) return Broken::kTurnNotOnce;
  }
  return Broken::kNone;
}

// A description that keeps every rule for Form, made only by DescribeForm.
template <typename Form>
class FormDescFor {
 public:
  [[nodiscard]] constexpr const FormDesc& Desc() const { return desc_; }

 private:
  template <typename Of>
  friend consteval FormDescFor<Of> DescribeForm(const FormDesc& desc);
  constexpr explicit FormDescFor(const FormDesc& desc) : desc_(desc) {}
  FormDesc desc_;
};

// Stops the compile at the rule broken, whose line the error shows.
consteval void Refuse(Broken rule) {
  switch (rule) {
    case Broken::kNone:
      return;
    case Broken::kOtherWindow:
      throw "the description is of another form's window";
    case Broken::kElementTwice:
      throw "an element has more than one row";
    case Broken::kContainer:
      throw "a row's container is neither the window nor a container above it";
    case Broken::kTabIndexes:
      throw "the tab indexes are not 0 to one less than the rows, each once";
    case Broken::kRunsNoClicks:
      throw "a handler on an element that runs no clicks";
    case Broken::kForeignHandler:
      throw "a row names another form's click handler";
    case Broken::kMenuItemTwice:
      throw "a menu item has more than one row";
    case Broken::kMenuParent:
      throw "a menu row's parent is neither the window nor the top-level menu its items follow";
    case Broken::kForeignMenuHandler:
      throw "a menu row names another form's click handler";
    case Broken::kTakesNoCaption:
      throw "a text row for what takes no caption, or is not this window's";
    case Broken::kCannotTurn:
      throw "an element in the right-to-left list cannot turn, or is not this window's";
    case Broken::kCaptionNotOnce:
      throw "what takes a caption has no text row, or more than one";
    case Broken::kTurnNotOnce:
      throw "an element that turns right to left is not in the list once";
  }
}

// Fails to compile where the description breaks a rule.
template <typename Form>
[[nodiscard]] consteval FormDescFor<Form> DescribeForm(const FormDesc& desc) {
  Refuse(BrokenRule<Form>(desc));
  return FormDescFor<Form>(desc);
}

// Fails to compile where the labelling tables break a rule.
template <typename Texts, typename Turns>
consteval bool LabellingKeepsTheRules(const FormDesc& desc, const Texts& texts,
                                      const Turns& turns) {
  Refuse(BrokenLabellingRule(desc, texts, turns));
  return true;
}

}  // namespace lumora
