local text = ""
while #text < 100000 do
    text = text .. "The quick brown fox, aged 42, jumps over 7 lazy dogs. "
end
local n = #text
local words = 0
local digits = 0
local spaces = 0
local other = 0
local pass = 0
while pass < 10 do
    local inword = 0
    local i = 1
    while i <= n do
        local c = string.sub(text, i, i)
        if c >= "a" and c <= "z" or c >= "A" and c <= "Z" then
            if inword == 0 then
                words = words + 1
            end
            inword = 1
        else
            inword = 0
            if c >= "0" and c <= "9" then
                digits = digits + tonumber(c)
            elseif c == " " then
                spaces = spaces + 1
            else
                other = other + 1
            end
        end
        i = i + 1
    end
    pass = pass + 1
end
print(words + digits + spaces + other)
