#include "skin/format/SkinCheck.h"

#include "skin/format/SkinCheckDescription.h"
#include "skin/format/SkinCheckNames.h"
#include "skin/format/SkinCheckPictures.h"
#include "skin/format/SkinCheckValues.h"
#include "skin/format/SkinContrast.h"
#include "skin/format/SkinDescription.h"
#include "skin/format/SkinKeys.h"
#include "skin/format/SkinText.h"
#include "ui/graphics/BmpFormat.h"

#include <algorithm>
#include <map>
#include <optional>

namespace skin {

namespace {

// The folder's pictures by lower-case name, decoded once, with whether the
// description names them.
class TFolderPictures {
public:
    explicit TFolderPictures(const std::vector<TSkinFolderFile>& pictures)
    {
        for (const TSkinFolderFile& file : pictures)
            entries_.emplace(AsciiLowerCase(file.Name), TEntry{&file, false, std::nullopt, {}});
    }

    const TSkinFolderFile* Find(std::string_view entryName) const
    {
        const auto found = entries_.find(AsciiLowerCase(entryName));
        return found == entries_.end() ? nullptr : found->second.File;
    }

    void MarkUsed(std::string_view entryName)
    {
        const auto found = entries_.find(AsciiLowerCase(entryName));
        if (found != entries_.end())
            found->second.Used = true;
    }

    std::vector<const TSkinFolderFile*> Unused() const
    {
        std::vector<const TSkinFolderFile*> unused;
        for (const auto& [name, entry] : entries_)
            if (!entry.Used)
                unused.push_back(entry.File);
        return unused;
    }

    // The pixels of a picture, or the reader's reason for refusing it.
    const TPixels* Decoded(const TSkinFolderFile& file, std::string& error)
    {
        TEntry& entry = entries_.at(AsciiLowerCase(file.Name));
        if (!entry.Decoded && entry.Error.empty())
            Decode(entry);
        error = entry.Error;
        return entry.Decoded ? &*entry.Decoded : nullptr;
    }

private:
    struct TEntry {
        const TSkinFolderFile* File;
        bool Used = false;
        std::optional<TPixels> Decoded;
        std::string Error;
    };

    static void Decode(TEntry& entry)
    {
        try {
            const ui::TBmpLayout layout = ui::ReadBmpLayout(entry.File->Bytes.data(), entry.File->Bytes.size());
            if (ui::DibStride(layout.Width, 4) * static_cast<uint64_t>(layout.Height) > MaxSkinPictureBytes)
                entry.Error = "it takes more than the " + std::to_string(MaxSkinPictureBytes) +
                              " bytes a skin's pictures may take together when decoded";
            else
                entry.Decoded = DecodePixels(entry.File->Bytes);
        } catch (const ui::Exception& e) {
            entry.Error = e.Message();
        }
    }

    std::map<std::string, TEntry> entries_;
};

class TSkinCheck {
public:
    TSkinCheck(const TSkinFolder& folder, std::vector<TSkinFinding>& findings)
        : folder_(folder), file_(folder.Description.Name), findings_(findings), pictures_(folder.Pictures)
    {
    }

    void Run()
    {
        const std::string_view text(reinterpret_cast<const char*>(folder_.Description.Bytes.data()),
                                    folder_.Description.Bytes.size());
        try {
            ini_.LoadFromText(text);
        } catch (const ESkinDescriptionError& e) {
            findings_.push_back({false, file_, 0, "", "", e.Message()});
            return;
        }
        const TDescription description(text, file_, findings_);
        for (const TDescribedSection& section : description.Sections())
            CheckSection(description, section);
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const TSkinFinding& a, const TSkinFinding& b) { return a.Line < b.Line; });
        CheckPictureBytes();
        for (const TSkinFolderFile* unused : pictures_.Unused())
            findings_.push_back({false, unused->Name, 0, "", "", "not named by " + file_ + ": it is packed but never drawn"});
        CheckContrast({ini_, description, file_, loaded_, findings_});
    }

private:
    void CheckSection(const TDescription& description, const TDescribedSection& section)
    {
        const TSkinSection* known = FindSkinSection(section.Name);
        if (!known) {
            findings_.push_back({false, file_, section.Line, section.Name, "", UnknownSectionMessage(section.Name)});
            return;
        }
        for (const TDescribedKey& key : section.Keys)
            CheckKey(*known, section, key);
        for (const TSkinPicture& picture : known->Pictures)
            CheckPictureOf(description, section, picture);
    }

    void CheckKey(const TSkinSection& known, const TDescribedSection& section, const TDescribedKey& key)
    {
        const TSkinKey* entry = FindSkinKey(known, key.Name);
        if (!entry) {
            findings_.push_back({false, file_, key.Line, section.Name, key.Name, UnknownKeyMessage(known, key.Name)});
            return;
        }
        std::optional<std::string> fault = ValueFault(*entry, key.Value, ini_, section.Name);
        if (!fault && entry->Kind == TKeyKind::Picture && !key.Value.empty())
            fault = PictureFault(key.Value);
        if (fault)
            findings_.push_back({false, file_, key.Line, section.Name, std::string(entry->Name), *fault});
    }

    std::optional<std::string> PictureFault(const std::string& value)
    {
        const std::string entry = SkinImageEntryName(value);
        pictures_.MarkUsed(entry);
        if (!pictures_.Find(entry))
            return entry + " is not in the folder";
        return std::nullopt;
    }

    void CheckPictureOf(const TDescription& description, const TDescribedSection& section, const TSkinPicture& picture)
    {
        const TDescribedKey* key = section.Find(picture.Key->Name);
        const TSkinFolderFile* file = key ? pictures_.Find(SkinImageEntryName(key->Value)) : nullptr;
        if (!file)
            return;
        std::string error;
        const TPixels* pixels = pictures_.Decoded(*file, error);
        if (!pixels) {
            findings_.push_back({false, file_, key->Line, section.Name, std::string(picture.Key->Name),
                                 file->Name + " cannot be loaded: " + error});
            return;
        }
        loaded_.push_back(CheckPicture({ini_, description, file_, findings_}, section, picture, file->Name, *pixels));
    }

    // The engine refuses a skin whose pictures take too much memory decoded,
    // counting a picture each time an element names it.
    void CheckPictureBytes()
    {
        uint64_t bytes = 0;
        for (const TLoadedPicture& p : loaded_)
            bytes += ui::DibStride(p.Pixels.Width, 4) * static_cast<uint64_t>(p.Pixels.Height);
        if (bytes > MaxSkinPictureBytes)
            findings_.push_back({false, file_, 0, "", "",
                                 "the pictures take " + std::to_string(bytes) + " bytes decoded, more than the " +
                                     std::to_string(MaxSkinPictureBytes) + " a skin may use; the skin would not load"});
    }

    const TSkinFolder& folder_;
    const std::string& file_;
    std::vector<TSkinFinding>& findings_;
    TFolderPictures pictures_;
    TQuickIni ini_;
    std::vector<TLoadedPicture> loaded_;
};

} // namespace

std::vector<TSkinFinding> CheckSkin(const TSkinFolder& folder)
{
    std::vector<TSkinFinding> findings;
    TSkinCheck(folder, findings).Run();
    return findings;
}

bool HasErrors(const std::vector<TSkinFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const TSkinFinding& f) { return !f.Warning; });
}

std::string FormatFinding(const TSkinFinding& f)
{
    std::string text = f.Warning ? "warning: " : "";
    text += f.File;
    if (f.Line > 0)
        text += ':' + std::to_string(f.Line);
    text += ": ";
    if (!f.Section.empty())
        text += "[" + f.Section + "] ";
    if (!f.Key.empty())
        text += f.Key + ": ";
    return text + f.Message;
}

} // namespace skin
