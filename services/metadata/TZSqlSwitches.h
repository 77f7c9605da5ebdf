#pragma once

/// The switches of one statement build. They travel with the call as a value:
/// building a statement never changes the model, so two builds cannot
/// interfere and a failed build leaves nothing to put back.
///
///     dataset.GetDataSetSQL(TZSqlSwitches{.includeHidden = false});
struct TZSqlSwitches
{
    bool joinRelations = true; ///< left-join the related data sources of fields with a RelativeDS
    bool includeHidden = true; ///< list the fields that are not visible too
    bool joinNames = false;    ///< fetch the related SubKey as <field>_Name when RelativeFields lacks it
    bool joinDetail = false;   ///< master dataset only: left-join the first detail table as B
    bool distinct = false;     ///< "Select Distinct", leaving out blob and memo fields
};
