#pragma once

// What the workspace tree asks of the application.
class IDbSelection
{
public:
    // Makes DB n (1 to 20) the selected record and shows it in the information list.
    virtual void SelectDb(int nDb) = 0;
    // Shows the report window of DB n, opening one when none is open.
    virtual void OpenDb(int nDb) = 0;

protected:
    ~IDbSelection() = default;
};
