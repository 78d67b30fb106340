#pragma once
// `Lib00500.ListaTipoCusto` / `NumeroTipoCusto`: the cost types the import
// dialogs offer, read from the server module "cus.rdmCustProd".
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <vector>

namespace host {
class RemoteConnection;
}

namespace platform::library {

class CostTypes {
public:
    // Reads the types over the connection (GetTipoCusto) and keeps them; the
    // names in the order offered. A failed call keeps the previous list.
    QStringList load(host::RemoteConnection& custos);
    // The number of the type at a combo index of the last list loaded.
    int number(int index) const;

private:
    struct Type {
        int number;
        QString name;
    };
    std::vector<Type> m_types;
    bool m_loaded = false;
};

}  // namespace platform::library
