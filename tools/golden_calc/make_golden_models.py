import os
from golden_calc import *
script=["# Every model of the sample database right after picking it: grid, totals, estimate, cost."]
expect=["# Worked out by a separate calculation from the written rules and the sample database:",
        "# defaults per channel, frame-rate list, rate by family, volumes, sums of shown figures,",
        "# 320 GB = 312,500 MB, cost by weight table and budget table."]
for i,m in enumerate(MODELS):
    script.append(json.dumps({"do":"model","index":i}))
    script.append('{"do":"dump"}')
    g=Grid(i)
    e=g.expect(); e["model"]={"name":m[0],"index":i}
    expect.append("# "+m[0])
    expect.append(json.dumps(e))
open(os.path.join(ROOT,'tests','golden','')+'every_model_after_pick.script','w').write("\n".join(script)+"\n")
open(os.path.join(ROOT,'tests','golden','')+'every_model_after_pick.expect','w').write("\n".join(expect)+"\n")
