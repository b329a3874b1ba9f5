#include "malhas/output_files.h"

#include <cstdio>
#include <random>

namespace malhas {
namespace {

using platform::SetFileError;

// Attempts at a fresh temporary name: one taken by anything else (a stale file of a killed run,
// a link, a pipe) is passed over, never opened.
constexpr int kNameAttempts = 100;

std::string cause(SetFileError error) {
  switch (error) {
    case SetFileError::None: return "";
    case SetFileError::NotFound: return "caminho inexistente";
    case SetFileError::AccessDenied: return "permissão negada";
    case SetFileError::NotAFolder: return "há um arquivo com esse nome";
    case SetFileError::AlreadyExists: return "nenhum nome temporário livre";
    case SetFileError::DiskFull: return "disco cheio";
    case SetFileError::SizeLimit: return "limite de tamanho de arquivo excedido";
    case SetFileError::InvalidName: return "nome inválido";
    case SetFileError::Other: return "erro do sistema";
  }
  return "erro do sistema";
}

// A hidden name beside `name`, with a random token that no other run draws.
std::string temporary_name(const std::string& folder, const std::string& name) {
  std::random_device draw;
  const unsigned long long token = (static_cast<unsigned long long>(draw()) << 32) ^ draw();
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", token);
  return folder + "/." + name + "." + text + ".temp";
}

// Creates a private temporary file for `name`, its name told to `guard` before it exists.
SetFileError create_temporary(platform::FolderFiles& files, platform::RemovedOnInterrupt& guard,
                              const std::string& folder, const std::string& name,
                              std::string& temporary, platform::FileHandle& handle) {
  SetFileError error = SetFileError::AlreadyExists;
  for (int attempt = 0; attempt < kNameAttempts && error == SetFileError::AlreadyExists; ++attempt) {
    temporary = temporary_name(folder, name);
    if (!guard.add(temporary)) return SetFileError::Other;
    error = files.create_private(temporary, handle);
  }
  return error;
}

SetFileError write_whole(platform::FolderFiles& files, platform::FileHandle handle,
                         const std::string& bytes) {
  const SetFileError written = files.write(handle, bytes.data(), bytes.size());
  const SetFileError closed = files.close(handle);
  return written != SetFileError::None ? written : closed;
}

}  // namespace

OutputFolder::OutputFolder(platform::FolderFiles& files, std::string folder)
    : files_(files), folder_(std::move(folder)) {
  SetFileError error = files_.make_folder(folder_);
  if (error != SetFileError::None) {
    error_ = "não foi possível criar a pasta " + folder_ + " (" + cause(error) + ")";
    return;
  }
  error = files_.lock_folder(folder_, lock_);
  locked_ = error == SetFileError::None;
  // A file created and removed at once: the folder takes files, before any mesh is computed.
  platform::RemovedOnInterrupt guard("");
  std::string probe;
  platform::FileHandle handle = 0;
  if (locked_) error = create_temporary(files_, guard, folder_, "aleta-malhas", probe, handle);
  if (error == SetFileError::None) {
    files_.close(handle);
    files_.remove(probe);
    return;
  }
  error_ = "não foi possível gravar na pasta " + folder_ + " (" + cause(error) + ")";
}

OutputFolder::~OutputFolder() {
  if (locked_) files_.release_folder(lock_);
}

std::string OutputFolder::write(const std::vector<OutputFile>& files) {
  const std::string unchanged = "os arquivos anteriores da pasta " + folder_ + " ficam como estavam";
  platform::RemovedOnInterrupt guard("aleta-malhas: interrompido; " + unchanged + "\n");
  std::vector<std::string> temporaries;
  const auto abandon = [&](const std::string& reason) {
    for (const std::string& temporary : temporaries) files_.remove(temporary);
    return reason + "; " + unchanged;
  };
  for (const OutputFile& file : files) {
    const std::string final_name = folder_ + "/" + file.name;
    std::string temporary;
    platform::FileHandle handle = 0;
    SetFileError error = create_temporary(files_, guard, folder_, file.name, temporary, handle);
    if (error == SetFileError::None) {
      temporaries.push_back(temporary);
      error = write_whole(files_, handle, file.bytes);
    }
    if (error != SetFileError::None) {
      return abandon("não foi possível gravar " + final_name + " (" + cause(error) + ")");
    }
  }
  for (const OutputFile& file : files) {
    const std::string final_name = folder_ + "/" + file.name;
    switch (files_.final_name(final_name)) {
      case platform::FinalName::Free: break;
      case platform::FinalName::HeldByOther:
        return abandon(final_name + " está em uso por outro programa");
      case platform::FinalName::Folder:
        return abandon(final_name + " é uma pasta");
    }
  }
  // From here the renames go through as one step; only a failure of the system itself can stop
  // them, and then the message names what was already replaced.
  guard.hold_interruptions();
  std::string replaced;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string final_name = folder_ + "/" + files[i].name;
    const SetFileError error = files_.replace(temporaries[i], final_name);
    if (error != SetFileError::None) {
      for (std::size_t j = i; j < temporaries.size(); ++j) files_.remove(temporaries[j]);
      return "não foi possível renomear " + temporaries[i] + " para " + final_name + " (" +
             cause(error) + "); " + (replaced.empty() ? "nenhum arquivo" : replaced) +
             " já substituído, os demais ficam como estavam";
    }
    replaced += (replaced.empty() ? "" : ", ") + files[i].name;
  }
  guard.forget_all();
  return {};
}

}  // namespace malhas
