-- pandoc filter for the guide's two generated forms.
--
-- A display formula is written in LEIAME.md as a span holding the TeX and a linear form for
-- plain text:  [$$ \frac{a}{b} $$]{texto="a/b"}.  The HTML keeps the TeX, which --mathml turns
-- into MathML; the plain text takes the linear form, indented, each ";;" starting a new line,
-- since pandoc's text writer would leave a fraction or a root as TeX. The prose writes its
-- symbols in Unicode (θ, Δx, 10⁻¹²) and needs no inline formulas.
--
-- In the plain text, inline code becomes ordinary words: the writer never breaks a code span,
-- so a long one would widen its table column past the page.

local plain = FORMAT:match("plain") ~= nil

function Span(span)
  local text = span.attributes.texto
  if not text then return nil end
  if not plain then return span.content end  -- the TeX, for --mathml
  local lines = {pandoc.LineBreak()}
  for line in (text .. ";;"):gmatch(" ?(.-)%s*;;") do
    table.insert(lines, pandoc.Str("    " .. line))
    table.insert(lines, pandoc.LineBreak())
  end
  return lines
end

-- Text as words the writer may break lines between.
local function words(text)
  local inlines = {}
  for word in text:gmatch("%S+") do
    if #inlines > 0 then table.insert(inlines, pandoc.Space()) end
    table.insert(inlines, pandoc.Str(word))
  end
  return inlines
end

-- The charts are pictures in the HTML; the text names them and says where they are.
function Image(image)
  if not plain then return nil end
  return words("[Figura, no LEIAME.html: " .. pandoc.utils.stringify(image.caption) .. "]")
end

-- A `|` inside a code span of a table cell is written `\|`, so that the cell does not end there.
-- GitHub drops the backslash; pandoc keeps it in the code, and so it is dropped here.
function Code(code)
  code.text = code.text:gsub("\\|", "|")
  if plain then return words(code.text) end
  return code
end

-- The text guide says first how Notepad shows it whole: the programs' output it quotes (the
-- report, malhas.txt) keeps its columns, wider than the rest of the text.
local text_note = "Este é o guia em texto simples; o LEIAME.html traz o mesmo guia com as " ..
  "fórmulas e os gráficos. Algumas linhas copiadas dos programas passam de 100 colunas: no " ..
  "Bloco de Notas, desligue a quebra automática de linha (menu Formatar, ou Exibir no " ..
  "Windows 11) para vê-las alinhadas."

function Pandoc(document)
  if plain then table.insert(document.blocks, 2, pandoc.Para(words(text_note))) end
  return document
end

return {{Span = Span, Code = Code, Image = Image, Pandoc = Pandoc}}
