#pragma once
// State that a higher layer keeps on the workbench for the open project, such
// as the translation loaded in step 7: the workbench owns it and drops it
// when the project changes, without knowing what it holds.
namespace vorlix {

class WorkbenchPart {
public:
    virtual ~WorkbenchPart() = default;
};

} // namespace vorlix
