// TfrmColorScheme: asks for the name under which the page's font and colours
// are stored as a colour scheme, offering the existing names for completion
// (choosing one overwrites that scheme).
//
// A small modal dialog owned by the property page, so it stays in front of
// it. OK with an empty name keeps it open; a name CP932 cannot spell is
// refused with a message (scheme names are CP932 everywhere they are read).
// It keeps no state besides its controls; the caller reads the name right
// after ShowModal and lets the object go.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ui/modal_form.h"

namespace lumeko {

class TComplementComboBox;

class TfrmColorScheme final : public TModalForm {
 public:
  explicit TfrmColorScheme(HWND owner);
  ~TfrmColorScheme() override;

  void SetSchemeNames(const std::vector<std::string>& names);
  void SetSchemeName(const std::string& name);
  std::string GetSchemeName() const;
  TComplementComboBox& SchemeNameBox() const { return *ccbSchemeName_; }

 protected:
  bool CanClose(int result) override;

 private:
  std::unique_ptr<TComplementComboBox> ccbSchemeName_;
};

}  // namespace lumeko
