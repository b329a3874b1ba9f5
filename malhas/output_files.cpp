#include "malhas/output_files.h"

#include <new>

#include "malhas/program_name.h"
#include "malhas/publication_journal.h"

namespace malhas {
namespace {

using platform::FileHandle;
using platform::FinalName;
using platform::SetFileError;

// Attempts at a fresh temporary name: one taken by anything else (a link, a pipe) is passed
// over, never opened.
constexpr int kNameAttempts = 100;
// A journal holds a line per file: a larger file at its name is none of ours.
constexpr std::size_t kJournalLimit = 1 << 20;

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
    case SetFileError::AlteredName:
      return "nome terminado em ponto ou espaço, que o Windows removeria";
    case SetFileError::Other: return "erro do sistema";
  }
  return "erro do sistema";
}

// Why a final name cannot be replaced, after the name.
std::string refusal(FinalName at) {
  switch (at) {
    case FinalName::Free: break;
    case FinalName::HeldByOther: return "está em uso por outro programa";
    case FinalName::Folder: return "é uma pasta";
    case FinalName::OwnedByOther:
      return "é de outro usuário, e a pasta só deixa o dono substituí-lo";
    case FinalName::Protected:
      return "está protegido contra alterações (imutável, só acréscimo ou somente leitura)";
    case FinalName::Denied: return "não pode ser substituído (permissão negada)";
  }
  return "não pode ser substituído";
}

// The temporary files of a publication until it is committed: removed when it is abandoned, by
// a failure or by an exception such as a lack of memory, unless kept.
class Temporaries {
 public:
  Temporaries(platform::FolderFiles& files, platform::RemovedOnInterrupt& guard)
      : files_(files), guard_(guard) {}
  ~Temporaries() {
    if (kept_) return;
    for (const std::string& name : names_) files_.remove(name);
  }
  Temporaries(const Temporaries&) = delete;
  Temporaries& operator=(const Temporaries&) = delete;

  // Creates a private file in `folder` under a temporary name for `name`, told to the guard
  // before the file exists; `temporary` is its name inside the folder.
  SetFileError create(const std::string& folder, std::string_view name, std::string& temporary,
                      FileHandle& handle) {
    SetFileError error = SetFileError::AlreadyExists;
    for (int attempt = 0; attempt < kNameAttempts && error == SetFileError::AlreadyExists;
         ++attempt) {
      temporary = temporary_name(name);
      std::string full = folder + "/" + temporary;
      names_.reserve(names_.size() + 1);  // the name is kept below without allocating
      if (!guard_.add(full)) return SetFileError::Other;
      error = files_.create_private(full, handle);
      if (error == SetFileError::None) names_.push_back(std::move(full));
    }
    return error;
  }

  void keep() { kept_ = true; }

 private:
  platform::FolderFiles& files_;
  platform::RemovedOnInterrupt& guard_;
  std::vector<std::string> names_;
  bool kept_ = false;
};

SetFileError write_whole(platform::FolderFiles& files, FileHandle handle,
                         const std::string& bytes) {
  const SetFileError written = files.write(handle, bytes.data(), bytes.size());
  const SetFileError closed = files.close(handle);
  return written != SetFileError::None ? written : closed;
}

}  // namespace

OutputFolder::OutputFolder(platform::FolderFiles& files, std::string folder, const Note& note)
    : files_(files), folder_(std::move(folder)) {
  SetFileError error = files_.make_folder(folder_);
  if (error != SetFileError::None) {
    error_ = "não foi possível criar a pasta " + folder_ + " (" + cause(error) + ")";
    return;
  }
  error = files_.open_lock(folder_, lock_);
  lock_open_ = error == SetFileError::None;
  if (lock_open_) {
    take_lock(note);
    complete_pending(note);
    if (!error_.empty()) return;
    if (locked_) remove_leftovers(note);
    // A file created and removed at once: the folder takes files, before any mesh is computed.
    platform::RemovedOnInterrupt guard("");
    Temporaries probe(files_, guard);
    std::string name;
    FileHandle handle = 0;
    error = probe.create(folder_, kProgram, name, handle);
    if (error == SetFileError::None) error = files_.close(handle);
  }
  if (error != SetFileError::None) {
    error_ = "não foi possível gravar na pasta " + folder_ + " (" + cause(error) + ")";
  }
}

OutputFolder::~OutputFolder() {
  if (lock_open_) files_.release_folder(lock_);
}

std::string OutputFolder::path(std::string_view name) const {
  return folder_ + "/" + std::string(name);
}

void OutputFolder::take_lock(const Note& note) {
  platform::FolderLock state = files_.take_lock(lock_, false);
  if (state == platform::FolderLock::Busy) {
    note("a pasta " + folder_ + " está em uso por outro estudo; aguardando que ele termine");
    state = files_.take_lock(lock_, true);
  }
  locked_ = state == platform::FolderLock::Held;
}

std::string OutputFolder::put_in_place(const std::vector<Renaming>& renamings, bool resuming) {
  for (const Renaming& r : renamings) {
    const SetFileError error = files_.replace(path(r.temporary), path(r.final_name));
    if (error == SetFileError::NotFound && resuming) continue;  // renamed before the stop
    if (error != SetFileError::None) {
      return "não foi possível renomear " + path(r.temporary) + " para " + path(r.final_name) +
             " (" + cause(error) + ")";
    }
  }
  // The renames reach the disk before the journal that would redo them is removed.
  (void)files_.sync_folder(folder_);
  files_.remove(path(kJournalName));
  (void)files_.sync_folder(folder_);
  return {};
}

// Done with or without the lock: the renames of a committed journal are the same whoever makes
// them.
void OutputFolder::complete_pending(const Note& note) {
  const std::string journal = path(kJournalName);
  std::string text;
  const SetFileError read = files_.read(journal, kJournalLimit, text);
  if (read == SetFileError::NotFound) return;
  const auto renamings = read == SetFileError::None ? parse_journal(text) : std::nullopt;
  if (!renamings) {
    error_ = "o diário " + journal +
             " de uma gravação interrompida está danificado ou ilegível" +
             (read == SetFileError::None ? "" : " (" + cause(read) + ")") +
             "; confira os arquivos da pasta e apague-o";
    return;
  }
  const std::string failed = put_in_place(*renamings, true);
  if (!failed.empty()) {
    error_ = "não foi possível concluir a gravação interrompida de um estudo anterior "
             "na pasta " + folder_ + ": " + failed;
    return;
  }
  note("a gravação interrompida de um estudo anterior na pasta " + folder_ +
       " foi concluída: a pasta tem todos os arquivos desse estudo");
}

// Only under the lock: without it, a temporary file could be another study's, being written.
void OutputFolder::remove_leftovers(const Note& note) {
  std::vector<std::string> names;
  if (files_.list(folder_, names) != SetFileError::None) return;
  std::size_t removed = 0;
  for (const std::string& name : names) {
    if (!is_temporary_name(name)) continue;
    files_.remove(path(name));
    ++removed;
  }
  if (removed > 0) {
    note("arquivos temporários de um estudo interrompido removidos da pasta " + folder_ + ": " +
         std::to_string(removed));
  }
}

std::string OutputFolder::write(const std::vector<OutputFile>& files) {
  const std::string unchanged = "os arquivos anteriores da pasta " + folder_ + " ficam como estavam";
  const std::string journal = path(kJournalName);
  const std::string pending = "a troca fica registrada em " + journal +
                              ", e a próxima execução de aleta-malhas nesta pasta a conclui";
  // Not const: returned by moving, when memory has run out.
  std::string pending_no_memory = "memória insuficiente durante a troca dos arquivos; " + pending;
  platform::RemovedOnInterrupt guard(std::string(kProgram) + ": interrompido; " + unchanged + "\n");
  Temporaries temporaries(files_, guard);
  const auto abandon = [&](const std::string& reason) { return reason + "; " + unchanged; };

  std::vector<Renaming> renamings;
  for (const OutputFile& file : files) {
    std::string temporary;
    FileHandle handle = 0;
    SetFileError error = temporaries.create(folder_, file.name, temporary, handle);
    if (error == SetFileError::None) error = write_whole(files_, handle, file.bytes);
    if (error != SetFileError::None) {
      return abandon("não foi possível gravar " + path(file.name) + " (" + cause(error) + ")");
    }
    renamings.push_back({temporary, file.name});
  }
  for (const OutputFile& file : files) {
    const FinalName at = files_.final_name(path(file.name));
    if (at != FinalName::Free) return abandon(path(file.name) + " " + refusal(at));
  }
  // The journal under a temporary name of its own, then every new entry on the disk: until the
  // journal takes its name the earlier set stands, and from then on the new one.
  std::string journal_temporary;
  FileHandle handle = 0;
  SetFileError error = temporaries.create(folder_, kJournalName, journal_temporary, handle);
  if (error == SetFileError::None) error = write_whole(files_, handle, journal_text(renamings));
  if (error == SetFileError::None) error = files_.sync_folder(folder_);
  if (error == SetFileError::None) {
    guard.hold_interruptions();
    error = files_.replace(path(journal_temporary), journal);
  }
  if (error != SetFileError::None) {
    return abandon("não foi possível gravar " + journal + " (" + cause(error) + ")");
  }
  temporaries.keep();
  guard.forget_all();
  try {
    const std::string failed = put_in_place(renamings, false);
    return failed.empty() ? failed : failed + "; " + pending;
  } catch (const std::bad_alloc&) {
    return pending_no_memory;
  }
}

}  // namespace malhas
