#pragma once
// The output profiles of the active media kind: "Custom", then the groups and
// files of the kind's folder, where the shipped profiles lie beside the
// program (read-only) and the "User Defined" group in the user's data folder.
// Choosing an entry applies its settings; the current settings can be saved
// as a user profile, and user profiles deleted.
#include "engine/MsgMng.h"
#include "model/profile/NewProfileNameDlg.h"
#include "model/profile/ProfileEntry.h"
#include "model/project/ProjectReplacedNotice.h"
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CProject;

class CProfilesMng : public CMsgMng, public IProjectReplacedListener {
public:
    enum : DWORD { kCategoryVideo = 1, kCategoryAudio = 2, kCategoryImage = 4 };
    using NameDialogFactory = std::function<std::unique_ptr<CNewProfileNameDlg>()>;

    static constexpr const wchar_t* kUserGroup = L"User Defined";
    static constexpr const wchar_t* kExtension = L".vlprofile";

    CProfilesMng();
    ~CProfilesMng() override;

    // The "Profiles" folders: shipped beside the program, the user's in the
    // user's data folder. Each path ends with a separator.
    void SetFolders(const std::wstring& shippedRoot, const std::wstring& userRoot);
    // Where a new profile's name is asked for; without one nothing new is saved.
    void SetNameDialogFactory(NameDialogFactory factory) { m_nameDialog = std::move(factory); }

    // Takes the category from the outputs (video, image, audio by
    // "is_create") and rebuilds the list when it changed or force is set.
    void Reload(CProject* project, int force);
    // Drops the entries and the project when it is the one going away; the
    // next Reload builds the list for the new one.
    void OnProjectReplacing(CProject* oldProject, CProject* newProject) override;
    void AddEntry(const std::wstring& name, const std::wstring& folder, DWORD userDefined, DWORD groupHeader,
                  DWORD inGroup);
    void Clear();
    void ScanCategoryFolder();
    void ScanGroupFolder(const std::wstring& groupName, const std::wstring& groupFolder, DWORD userDefined);
    void AddProfileFile(const std::wstring& fileName, const std::wstring& folder, DWORD userDefined, DWORD inGroup);

    // Applies the entry and records it as the active output's "profile_name"
    // ("Custom" empties it). E_INVALIDARG past the end; S_FALSE for a header.
    HRESULT SelectProfile(size_t index);
    // 1 for an empty name or a listed user profile, else 0.
    DWORD IsSavableName(const std::wstring& relativePath) const;
    DWORD IsCurrentProfileListed() const;
    // 1 when the active output's profile is a listed user profile.
    DWORD FindCurrentProfile() const;
    // Writes the current settings: over the active output's user profile, or
    // as a new user profile named through the dialog. S_OK with the written
    // file's relative path in *relativePath; S_FALSE when the dialog was
    // cancelled; E_INVALIDARG for a name with '/', '\' or ".."; E_ACCESSDENIED
    // for a profile that is not the user's; E_FAIL when the file could not be
    // written (an error message goes out). Nothing is recorded on failure.
    HRESULT SaveProfileAs(std::wstring* relativePath);
    // Deletes the active output's profile when it is a listed user profile;
    // S_OK with *relativePath emptied, else a failure with it untouched.
    HRESULT DeleteProfile(std::wstring* relativePath);
    // "user<n+1>" for the largest n of the user's "user<n>" profiles; "user1"
    // when there is none.
    std::wstring ProposeUserName() const;

    const std::vector<std::unique_ptr<CProfileEntry>>& Entries() const { return m_entries; }
    DWORD GetCategory() const { return m_category; }

    std::vector<std::unique_ptr<CProfileEntry>> m_entries;
    CProject* m_project = nullptr;  // not owned
    DWORD m_category = 0;
    int32_t m_loadedCategory = -1;

private:
    std::wstring CategoryName() const;
    std::wstring ShippedCategoryFolder() const;
    std::wstring UserGroupFolder() const;
    std::wstring CurrentProfileName() const;
    const CProfileEntry* FindByRelativePath(const std::wstring& relativePath) const;
    HRESULT AskNewProfileFile(std::wstring& fileName);

    std::wstring m_shippedRoot;
    std::wstring m_userRoot;
    NameDialogFactory m_nameDialog;
};
