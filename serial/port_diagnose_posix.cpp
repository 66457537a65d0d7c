#include "serial/port_diagnose.h"

#include <grp.h>
#include <sys/stat.h>

namespace qzl {

std::string geraeteGruppe(const std::string& pfad) {
    struct stat info {};
    if (::stat(pfad.c_str(), &info) != 0) return "";
    char puffer[1024];
    group g{};
    group* gefunden = nullptr;
    if (::getgrgid_r(info.st_gid, &g, puffer, sizeof puffer, &gefunden) != 0 || !gefunden) return "";
    return gefunden->gr_name;
}

}  // namespace qzl
